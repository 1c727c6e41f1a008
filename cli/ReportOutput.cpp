#include "ReportOutput.h"

#include <cstdio>
#include <string_view>

#include "ValidUtf8.h"

namespace tally::cli {
namespace {

// The text as a JSON string, quoted, after `out`.
void appendJsonString(std::string& out, std::string_view raw) {
    // Most texts are valid already: only the others are copied to be mended.
    std::string mended;
    if (!sheet::isValidUtf8(raw)) {
        mended = sheet::validUtf8(raw);
        raw = mended;
    }
    out += '"';
    for (unsigned char c : raw) {
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
    out += '"';
}

// A year's rows are tens of thousands: they go out in large pieces, not cell by cell.
void writeJsonRows(std::ostream& out, const std::vector<std::vector<std::string>>& rows) {
    constexpr std::size_t kPiece = 1 << 16;
    std::string text = "[";
    for (std::size_t r = 0; r < rows.size(); ++r) {
        text += r ? ",\n  [" : "\n  [";
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            if (c) text += ',';
            appendJsonString(text, rows[r][c]);
        }
        text += ']';
        if (text.size() >= kPiece) {
            out << text;
            text.clear();
        }
    }
    text += rows.empty() ? "]" : "\n ]";
    out << text;
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
    std::string out;
    appendJsonString(out, text);
    return out;
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
