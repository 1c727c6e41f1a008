#include "Listings.h"

#include <algorithm>
#include <cstdio>

#include "Departments.h"
#include "DetailCommand.h"
#include "DetailReportFlow.h"
#include "ReportCatalog.h"
#include "ReportOutput.h"
#include "ValidUtf8.h"

namespace tally::cli {
namespace {

ListingCell text(std::string s) { return {std::move(s), ListingCell::Kind::Text}; }
ListingCell flag(bool b) { return {b ? "true" : "false", ListingCell::Kind::Flag}; }

ListingOutcome failed(int status, std::string message) {
    ListingOutcome outcome;
    outcome.status = status;
    outcome.message = std::move(message);
    return outcome;
}

bool isWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) || (c >= 0x3041 && c <= 0x33FF) ||
           (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
           (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

// A table cell shows on one line.
std::string oneLine(const std::string& raw) {
    std::string s = sheet::validUtf8(raw);
    for (char& c : s)
        if (c == '\n' || c == '\r' || c == '\t') c = ' ';
    return s;
}

void writeJsonListing(std::ostream& out, const Listing& listing) {
    out << "[";
    for (std::size_t r = 0; r < listing.rows.size(); ++r) {
        out << (r ? ",\n {" : "\n {");
        for (std::size_t c = 0; c < listing.columns.size(); ++c) {
            const ListingCell& cell = listing.rows[r][c];
            out << (c ? ", " : "") << jsonString(listing.columns[c]) << ": "
                << (cell.kind == ListingCell::Kind::Text ? jsonString(cell.text) : cell.text);
        }
        out << "}";
    }
    out << (listing.rows.empty() ? "]\n" : "\n]\n");
}

void writeCsvListing(std::ostream& out, const Listing& listing) {
    out << "\xEF\xBB\xBF";
    for (std::size_t c = 0; c < listing.columns.size(); ++c) out << (c ? "," : "") << csvField(listing.columns[c]);
    out << "\r\n";
    for (const auto& row : listing.rows) {
        for (std::size_t c = 0; c < row.size(); ++c) out << (c ? "," : "") << csvField(row[c].text);
        out << "\r\n";
    }
}

void writeTable(std::ostream& out, const Listing& listing) {
    std::vector<std::vector<std::string>> lines{listing.columns};
    for (const auto& row : listing.rows) {
        std::vector<std::string> line;
        for (const auto& cell : row) line.push_back(oneLine(cell.text));
        lines.push_back(std::move(line));
    }
    std::vector<int> widths(listing.columns.size(), 0);
    for (const auto& line : lines)
        for (std::size_t c = 0; c < line.size(); ++c) widths[c] = std::max(widths[c], displayWidth(line[c]));
    for (const auto& line : lines) {
        std::string text;
        for (std::size_t c = 0; c < line.size(); ++c) {
            text += line[c];
            // No padding after the last column: lines end without blanks.
            if (c + 1 < line.size()) text += std::string(std::size_t(widths[c] - displayWidth(line[c]) + 2), ' ');
        }
        out << text << "\n";
    }
}

}  // namespace

int displayWidth(std::string_view raw) {
    const std::string s = sheet::validUtf8(raw);
    int width = 0;
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        char32_t c = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
        for (std::size_t k = 1; k < n && i + k < s.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        width += isWide(c) ? 2 : 1;
        i += n;
    }
    return width;
}

void writeListing(std::ostream& out, const Listing& listing, const std::string& format) {
    if (format == "csv") writeCsvListing(out, listing);
    else if (format == "table") writeTable(out, listing);
    else writeJsonListing(out, listing);
}

ListingOutcome listDepartments(data::Connection& connection) {
    auto departments = reports::LoadEveryDepartment(connection);
    if (departments.error) return failed(1, departments.error->messageText());
    ListingOutcome outcome;
    outcome.listing.columns = {"code", "office", "office_name", "closed"};
    for (const auto& d : departments.entries)
        outcome.listing.rows.push_back(
            {text(d.entry.departmentCode), text(d.entry.officeCode), text(d.entry.officeName), flag(d.closed)});
    return outcome;
}

ListingOutcome listFeeItems(data::Connection& connection, const CliOptions& options) {
    auto selection = selectDepartments(connection, options);
    if (selection.status != 0) return failed(selection.status, selection.message);
    if (auto refusal = reports::CheckDetailSelection(true, options.fromKey, options.toKey))
        return failed(2, refusal->error.messageText());
    auto report = reports::makeDetailReport("vat-invoicing");
    if (!report) return failed(1, "the vat-invoicing report is not available in this build");
    auto typeList = reports::LoadInvoiceTypeList(connection);
    if (!typeList.ok()) return failed(1, typeList.error().messageText());
    const reports::ReportRequest request{selection.entries.front(), options.fromKey, options.toKey, typeList.value()};
    auto extraction = reports::ExtractDetailFeeItems(connection, *report, request);
    if (extraction.error) return failed(1, extraction.error->messageText());
    if (!extraction.canRun()) return failed(3, extraction.messages(*report).front().messageText());

    ListingOutcome outcome;
    outcome.listing.columns = {"code", "name", "category", "rate", "parking"};
    for (const auto& item : extraction.items) {
        char rate[32];
        std::snprintf(rate, sizeof rate, "%.2f", item.taxRate);
        outcome.listing.rows.push_back({text(item.code),
                                        text(item.cleanedName),
                                        text(item.category),
                                        {rate, ListingCell::Kind::Number},
                                        flag(item.isParking())});
    }
    return outcome;
}

}  // namespace tally::cli
