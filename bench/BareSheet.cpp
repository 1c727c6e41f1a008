#include "BareSheet.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>

#include "CellValue.h"
#include "PrintLayout.h"

namespace tally::bench {
namespace {

using reports::vat::InvoiceDetailRow;
using reports::vat::RowKind;

constexpr const char* kFont = "微软雅黑";
constexpr std::uint32_t kHeadingFill = 0xC0C0FF;  // system colour 16761024
constexpr int kLeft = 1, kCentre = 2, kRight = 3;

class Planner {
public:
    explicit Planner(BareSheet& sheet) : sheet_(sheet) {}

    int format(const BareFormat& f) {
        if (f == BareFormat{}) return -1;
        auto [it, added] = ids_.emplace(f, static_cast<int>(sheet_.formats.size()));
        if (added) sheet_.formats.push_back(f);
        return it->second;
    }
    void blank(int row, int column, int fmt) { sheet_.cells.push_back({row, column, BareKind::Blank, fmt}); }
    void text(int row, int column, int fmt, std::string text) {
        BareCell cell{row, column, text.empty() ? BareKind::Blank : BareKind::Text, fmt};
        cell.text = std::move(text);
        sheet_.cells.push_back(std::move(cell));
    }
    void number(int row, int column, int fmt, double value) {
        BareCell cell{row, column, BareKind::Number, fmt};
        cell.number = value;
        sheet_.cells.push_back(std::move(cell));
    }
    void date(int row, int column, int fmt, const std::string& iso) {
        auto parsed = sheet::parseSheetDate(iso);
        if (!parsed) return text(row, column, fmt, iso);
        BareCell cell{row, column, BareKind::Date, fmt};
        cell.year = parsed->year;
        cell.month = parsed->month;
        cell.day = parsed->day;
        sheet_.cells.push_back(std::move(cell));
    }

private:
    BareSheet& sheet_;
    std::map<BareFormat, int> ids_;
};

// workbook_close() writes and frees; a workbook left before that (an exception) is only freed.
struct FreeWorkbook {
    void operator()(lxw_workbook* workbook) const noexcept { lxw_workbook_free(workbook); }
};

double amount(reports::Cents cents) { return static_cast<double>(cents) / 100.0; }

// The heights our sheet writer gives the rows (PrintLayout.h), worked out up front so that
// both write the same bytes and only the writing is timed.
void measureRows(BareSheet& sheet) {
    int rows = 0;
    for (const BareCell& cell : sheet.cells) rows = std::max(rows, cell.row + 1);
    sheet.rowHeights.assign(static_cast<std::size_t>(rows), sheet::kDefaultRowPoints);
    for (const BareCell& cell : sheet.cells) {
        if (cell.kind == BareKind::Blank) continue;
        const BareFormat* f = cell.format >= 0 ? &sheet.formats[static_cast<std::size_t>(cell.format)] : nullptr;
        const double font = f && f->fontSize > 0 ? f->fontSize : sheet::kDefaultFontPoints;
        sheet.smallestFont = sheet.smallestFont > 0 ? std::min(sheet.smallestFont, font) : font;
        double width = sheet.columnWidths.at(static_cast<std::size_t>(cell.column));
        bool overSeveralRows = false;
        for (const BareRange& m : sheet.merges) {
            if (cell.row < m.firstRow || cell.row > m.lastRow || cell.column < m.firstColumn ||
                cell.column > m.lastColumn)
                continue;
            overSeveralRows = m.firstRow != m.lastRow;
            if (overSeveralRows) break;
            width = 0;
            for (int c = m.firstColumn; c <= m.lastColumn; ++c)
                width += sheet.columnWidths.at(static_cast<std::size_t>(c));
        }
        if (overSeveralRows) continue;
        const int lines = cell.kind == BareKind::Text && f && f->wrap ? sheet::wrappedLines(cell.text, width, font) : 1;
        double& height = sheet.rowHeights[static_cast<std::size_t>(cell.row)];
        height = std::max(height, sheet::rowPoints(lines, font));
    }
}

}  // namespace

BareSheet planVatInvoicingSheet(const reports::vat::VatInvoicingResult& result, const reports::HeadingLayout& headings,
                                const exports::DetailSheetLabels& labels) {
    BareSheet sheet;
    Planner plan(sheet);
    const int V = result.valueColumnCount(), C = result.columnCount(), n = result.rowCount();
    // Sheet rows and columns from 0 here: the layout's row r is r - 1.
    for (int c = 0; c < C; ++c) sheet.columnWidths.push_back(headings.widthsTwips.at(c) / 110.0);
    sheet.merges = {{0, 0, 0, C - 1}, {1, 0, 1, 3}, {2, 0, 2, 3}, {3, 0, 4, 0},
                    {3, 1, 4, 1},     {3, 2, 3, 4}, {3, 5, 4, 5}};
    int c0 = 6;
    for (const auto& item : result.items()) {
        sheet.merges.push_back({3, c0, 3, c0 + item.valueColumnCount() - 1});
        c0 += item.valueColumnCount();
    }
    for (int c : {C - 3, C - 2, C - 1}) sheet.merges.push_back({3, c, 4, c});

    const int title = plan.format({.fontName = kFont, .bold = true, .align = kCentre});
    for (int c = 0; c < C; ++c) c ? plan.blank(0, c, title) : plan.text(0, 0, title, labels.title);
    const std::string top[] = {exports::departmentLine(labels.departmentEntry),
                               exports::invoiceDateLine(labels.startDate, labels.endDate)};
    for (int r = 1; r <= 2; ++r)
        for (int c = 0; c < C; ++c) {
            const int f = plan.format({.fontName = kFont, .fontSize = 9, .align = c < 4 ? kLeft : 0});
            c ? plan.blank(r, c, f) : plan.text(r, 0, f, top[r - 1]);
        }
    const int heading = plan.format({.fontName = kFont,
                                     .fontSize = 9,
                                     .align = kCentre,
                                     .filled = true,
                                     .fillRgb = kHeadingFill,
                                     .thinBorder = true});
    for (int c = 0; c < C; ++c) plan.text(3, c, heading, headings.row0.at(c));
    for (int c = 0; c < C; ++c) plan.text(4, c, heading, headings.row1.at(c));

    const int wrapOnly = plan.format({.wrap = true});
    for (int i = 0; i < n; ++i) {
        const InvoiceDetailRow& row = result.rows()[i];
        const int s = i + 5;
        const bool method = row.isPaymentMethodRow();
        auto cellFormat = [&](int c, int align, const std::string& numberFormat) {
            BareFormat f{.fontName = kFont, .fontSize = 9, .thinBorder = true};
            if (c >= 6 && c <= V + 6) {
                f.align = kRight;
                f.numberFormat = "#0.00";
            }
            if (row.kind != RowKind::Invoice) {
                f.filled = true;
                f.fillRgb = kHeadingFill;
            }
            if (align) f.align = align;
            if (!numberFormat.empty()) f.numberFormat = numberFormat;
            f.wrap = !method;
            return plan.format(f);
        };
        for (int c = 0; c < C; ++c) {
            if (c == 0) {
                plan.number(s, c, cellFormat(c, kCentre, ""), i + 1);
            } else if (c == 1) {
                if (method) plan.text(s, c, cellFormat(c, kCentre, ""), row.dateText);
                else plan.date(s, c, cellFormat(c, kCentre, "yyyy-mm-dd"), row.dateText);
            } else if (c == C - 3) {
                plan.number(s, c, cellFormat(c, 0, ""), amount(row.total));
            } else if (c == C - 2) {
                plan.text(s, c, cellFormat(c, 0, ""), row.methodText);
            } else if (method) {
                plan.blank(s, c, cellFormat(c, 0, ""));
            } else if (c <= 5) {
                const std::string* numbers[] = {&row.specialNumber, &row.ordinaryNumber, &row.electronicNumber,
                                                &row.receiptNumber};
                plan.text(s, c, cellFormat(c, kCentre, ""), *numbers[c - 2]);
            } else if (c <= V + 5) {
                const int k = c - 6;
                plan.number(s, c, cellFormat(c, 0, ""),
                            amount(k < static_cast<int>(row.values.size()) ? row.values[k] : 0));
            } else {
                plan.text(s, c, cellFormat(c, 0, ""), row.payerText);
            }
        }
        if (!method) sheet.rowFormats.push_back({s, wrapOnly});
    }
    const int signature = n + 5;
    plan.text(signature, 1, -1, "收款人:");
    plan.text(signature, 6, -1, "经理:");
    plan.text(signature, 12, -1, "缴款人:");
    sheet.frozenColumns = headings.frozenColumns;
    measureRows(sheet);
    return sheet;
}

void writeBareSheet(const BareSheet& sheet, const std::string& path) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    std::unique_ptr<lxw_workbook, FreeWorkbook> owner(workbook_new_opt(path.c_str(), &options));
    if (!owner) throw std::runtime_error("cannot create " + path);
    lxw_workbook* workbook = owner.get();
    lxw_worksheet* ws = workbook_add_worksheet(workbook, nullptr);
    std::vector<lxw_format*> formats;
    for (const BareFormat& f : sheet.formats) {
        lxw_format* x = workbook_add_format(workbook);
        if (!f.fontName.empty()) format_set_font_name(x, f.fontName.c_str());
        if (f.fontSize > 0) format_set_font_size(x, f.fontSize);
        if (f.bold) format_set_bold(x);
        if (f.align == kLeft) format_set_align(x, LXW_ALIGN_LEFT);
        if (f.align == kCentre) format_set_align(x, LXW_ALIGN_CENTER);
        if (f.align == kRight) format_set_align(x, LXW_ALIGN_RIGHT);
        if (f.wrap) format_set_text_wrap(x);
        if (f.filled) {
            format_set_pattern(x, LXW_PATTERN_SOLID);
            format_set_bg_color(x, f.fillRgb);
        }
        if (f.thinBorder) format_set_border(x, LXW_BORDER_THIN);
        if (!f.numberFormat.empty()) format_set_num_format(x, f.numberFormat.c_str());
        formats.push_back(x);
    }
    auto fmt = [&](int id) { return id < 0 ? nullptr : formats[id]; };
    for (std::size_t c = 0; c < sheet.columnWidths.size(); ++c)
        worksheet_set_column(ws, c, c, sheet.columnWidths[c], nullptr);
    for (const BareRange& m : sheet.merges)
        worksheet_merge_range(ws, m.firstRow, m.firstColumn, m.lastRow, m.lastColumn, "", nullptr);
    // How our sheets print (SheetWriter::printLayout with the detail sheet's layout).
    worksheet_set_landscape(ws);
    worksheet_fit_to_pages(ws, 1, 0);
    worksheet_center_horizontally(ws);
    worksheet_set_margins(ws, 0.25, 0.25, 0.75, 0.75);
    lxw_header_footer_options footer{};
    footer.margin = 0.3;
    worksheet_set_footer_opt(ws, "&C第 &P 页 共 &N 页", &footer);
    worksheet_repeat_rows(ws, 3, 4);
    worksheet_freeze_panes(ws, 5, static_cast<lxw_col_t>(sheet.frozenColumns));
    double points = 0;
    for (double width : sheet.columnWidths) points += sheet::columnPoints(width);
    const sheet::Paper paper =
        sheet::paperFor(points, sheet.smallestFont > 0 ? sheet.smallestFont : sheet::kDefaultFontPoints);
    worksheet_set_paper(ws, paper == sheet::Paper::A3 ? 8 : 9);

    auto rowFormat = sheet.rowFormats.begin();
    int current = -1;
    auto finishRow = [&] {
        if (current < 0) return;
        const double height = sheet.rowHeights.at(static_cast<std::size_t>(current));
        if (rowFormat != sheet.rowFormats.end() && rowFormat->first == current)
            worksheet_set_row(ws, current, height, fmt((rowFormat++)->second));
        else if (height > sheet::kDefaultRowPoints) worksheet_set_row(ws, current, height, nullptr);
    };
    for (const BareCell& cell : sheet.cells) {
        if (cell.row != current) {
            finishRow();
            current = cell.row;
        }
        switch (cell.kind) {
        case BareKind::Blank: worksheet_write_blank(ws, cell.row, cell.column, fmt(cell.format)); break;
        case BareKind::Text:
            worksheet_write_string(ws, cell.row, cell.column, cell.text.c_str(), fmt(cell.format));
            break;
        case BareKind::Number: worksheet_write_number(ws, cell.row, cell.column, cell.number, fmt(cell.format)); break;
        case BareKind::Date: {
            lxw_datetime when{cell.year, cell.month, cell.day, 0, 0, 0.0};
            worksheet_write_datetime(ws, cell.row, cell.column, &when, fmt(cell.format));
            break;
        }
        }
    }
    finishRow();
    if (lxw_error e = workbook_close(owner.release()); e != LXW_NO_ERROR)
        throw std::runtime_error("writing " + path + ": " + lxw_strerror(e));
}

namespace {

// Tabs, line breaks and backslashes would break the plan's lines.
std::string escaped(const std::string& text) {
    std::string out;
    for (char ch : text) {
        if (ch == '\\') out += "\\\\";
        else if (ch == '\t') out += "\\t";
        else if (ch == '\n') out += "\\n";
        else if (ch == '\r') out += "\\r";
        else out += ch;
    }
    return out;
}

}  // namespace

void writePlan(const BareSheet& sheet, std::ostream& out) {
    char number[40];
    for (std::size_t i = 0; i < sheet.formats.size(); ++i) {
        const BareFormat& f = sheet.formats[i];
        std::snprintf(number, sizeof number, "%g", f.fontSize);
        out << "F\t" << i << '\t' << escaped(f.fontName) << '\t' << number << '\t' << f.bold << '\t' << f.align << '\t'
            << f.wrap << '\t' << (f.filled ? static_cast<long>(f.fillRgb) : -1) << '\t' << f.thinBorder << '\t'
            << escaped(f.numberFormat) << '\n';
    }
    for (std::size_t c = 0; c < sheet.columnWidths.size(); ++c) {
        std::snprintf(number, sizeof number, "%.17g", sheet.columnWidths[c]);
        out << "W\t" << c << '\t' << number << '\n';
    }
    for (const BareRange& m : sheet.merges)
        out << "M\t" << m.firstRow << '\t' << m.firstColumn << '\t' << m.lastRow << '\t' << m.lastColumn << '\n';
    for (const auto& [row, format] : sheet.rowFormats) out << "R\t" << row << '\t' << format << '\n';
    for (const BareCell& cell : sheet.cells) {
        out << "BSND"[static_cast<int>(cell.kind)] << '\t' << cell.row << '\t' << cell.column << '\t' << cell.format;
        switch (cell.kind) {
        case BareKind::Blank: break;
        case BareKind::Text: out << '\t' << escaped(cell.text); break;
        case BareKind::Number:
            std::snprintf(number, sizeof number, "%.17g", cell.number);
            out << '\t' << number;
            break;
        case BareKind::Date: {
            char iso[16];
            std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", cell.year, cell.month, cell.day);
            out << '\t' << iso;
            break;
        }
        }
        out << '\n';
    }
}

}  // namespace tally::bench
