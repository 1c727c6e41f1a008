#include "ReportOutput.h"

#include <cstdio>

#include "ValidUtf8.h"

namespace tally::cli {
namespace {

void writeJsonRows(std::ostream& out, const std::vector<std::vector<std::string>>& rows) {
    out << "[";
    for (std::size_t r = 0; r < rows.size(); ++r) {
        out << (r ? ",\n  [" : "\n  [");
        for (std::size_t c = 0; c < rows[r].size(); ++c) out << (c ? "," : "") << jsonString(rows[r][c]);
        out << "]";
    }
    out << (rows.empty() ? "]" : "\n ]");
}

}  // namespace

std::string csvField(const std::string& raw) {
    const std::string text = sheet::validUtf8(raw);
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) {
        out += c;
        if (c == '"') out += '"';
    }
    return out + "\"";
}

namespace {

void writeCsvRows(std::ostream& out, const std::vector<std::vector<std::string>>& rows) {
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) out << (c ? "," : "") << csvField(row[c]);
        out << "\r\n";
    }
}

}  // namespace

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : sheet::validUtf8(text)) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

void writeJson(std::ostream& out, const ReportOutput& report) {
    out << "{\"report\": " << jsonString(report.kind) << ",\n \"title\": " << jsonString(report.title)
        << ",\n \"headings\": ";
    writeJsonRows(out, report.headings);
    out << ",\n \"rows\": ";
    writeJsonRows(out, report.rows);
    out << "}\n";
}

void writeCsv(std::ostream& out, const ReportOutput& report) {
    out << "\xEF\xBB\xBF";
    writeCsvRows(out, report.headings);
    writeCsvRows(out, report.rows);
}

}  // namespace tally::cli
