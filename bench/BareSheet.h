#pragma once
// The floor for the spreadsheet export: the VAT invoicing sheet as a flat list of cells,
// each with its value and one of a few formats made up front, written straight through
// libxlsxwriter in the mode our sheet writer uses (constant memory). The same list goes
// to a plan file for the python3-xlsxwriter peer, so all three write the same cells.
#include <compare>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "ExportLabels.h"
#include "Headings.h"
#include "VatInvoicingReport.h"

namespace tally::bench {

struct BareFormat {
    std::string fontName{};  // "" default
    double fontSize = 0;     // 0 default
    bool bold = false;
    int align = 0;  // 0 general, 1 left, 2 centre, 3 right
    bool wrap = false;
    bool filled = false;
    std::uint32_t fillRgb = 0;
    bool thinBorder = false;
    std::string numberFormat{};
    auto operator<=>(const BareFormat&) const = default;
};

enum class BareKind { Blank, Text, Number, Date };

struct BareCell {
    int row = 0, column = 0;  // from 0
    BareKind kind = BareKind::Blank;
    int format = -1;  // index into formats; -1 none
    std::string text{};
    double number = 0;
    int year = 0, month = 0, day = 0;
};

struct BareRange {
    int firstRow, firstColumn, lastRow, lastColumn;  // from 0
};

struct BareSheet {
    std::vector<BareFormat> formats;
    std::vector<double> rowHeights;  // points, row 0 first (as our sheet writer measures them)
    double smallestFont = 0;         // points: with the column widths, picks the paper
    int frozenColumns = 0;
    std::vector<double> columnWidths;  // characters, column 0 first
    std::vector<BareRange> merges;
    std::vector<std::pair<int, int>> rowFormats;  // row (from 0), format: the wrapped rows
    std::vector<BareCell> cells;                  // in row order
};

// The cells ExportVatInvoicing writes for the result: title, department, period, two
// heading rows, the table with its fills, borders, amount formats and wrapped rows, the
// signature line; and how it prints: row heights, paper, repeated and frozen rows.
BareSheet planVatInvoicingSheet(const reports::vat::VatInvoicingResult& result, const reports::HeadingLayout& headings,
                                const exports::DetailSheetLabels& labels);

// Writes the workbook; throws std::runtime_error when libxlsxwriter fails.
void writeBareSheet(const BareSheet& sheet, const std::string& path);

// One line per format, width, merge, row format and cell, tab-separated (see xlsx_peer.py).
void writePlan(const BareSheet& sheet, std::ostream& out);

}  // namespace tally::bench
