#include "SheetWriter.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include <xlsxwriter.h>

#include "CellValue.h"
#include "FormatCache.h"
#include "PlatformFiles.h"
#include "PrintLayout.h"
#include "SheetError.h"
#include "TempFile.h"
#include "ValidUtf8.h"
#include "XlsConversion.h"

namespace tally::sheet {

namespace {

// The library takes C strings, so a NUL would end the cell's text there, and the sheet's
// XML holds UTF-8 only: both kinds of bytes are shown as U+FFFD instead.
std::string cellText(const std::string& text) {
    std::string out;
    for (char c : validUtf8(text)) {
        if (c == '\0') out += "\xEF\xBF\xBD";
        else out += c;
    }
    return out;
}

struct RangeStyle {
    CellRange range;
    CellStyle style;
};

struct PendingCell {
    CellValue value;
    CellStyle style;
};

std::string cellName(int row, int column) { return "(" + std::to_string(row) + ", " + std::to_string(column) + ")"; }

std::string rangeName(const CellRange& r) {
    return cellName(r.firstRow, r.firstColumn) + "-" + cellName(r.lastRow, r.lastColumn);
}

bool overlaps(const CellRange& a, const CellRange& b) {
    return a.firstRow <= b.lastRow && b.firstRow <= a.lastRow && a.firstColumn <= b.lastColumn &&
           b.firstColumn <= a.lastColumn;
}

// The user knows the file by the name they chose: a message about one of the hidden
// files it is written through names the chosen file instead.
SheetError namingChosenFile(const SheetError& error, const std::vector<std::filesystem::path>& hidden,
                            const std::filesystem::path& chosen) {
    std::string description = error.description;
    for (const auto& path : hidden) {
        if (path.empty()) continue;
        for (auto at = description.find(path.string()); at != std::string::npos;
             at = description.find(path.string(), at + chosen.string().size()))
            description.replace(at, path.string().size(), chosen.string());
    }
    return SheetError(error.number, std::move(description));
}

void check(lxw_error error, const std::string& where) {
    if (error != LXW_NO_ERROR) throw SheetError(sheet_errors::kLibraryBase + error, where + ": " + lxw_strerror(error));
}

// Owns a workbook until it is closed. workbook_close() writes the file and frees the
// workbook whatever it returns, so closing releases it; a workbook given up before that
// is only freed, and nothing is written.
struct FreeWorkbook {
    void operator()(lxw_workbook* workbook) const noexcept { lxw_workbook_free(workbook); }
};
using LxwWorkbook = std::unique_ptr<lxw_workbook, FreeWorkbook>;

lxw_error closeWorkbook(LxwWorkbook& workbook) { return workbook_close(workbook.release()); }

void checkExtent(const OutputTarget& target, const SheetExtent& extent) {
    if (extent.rows < 1 || extent.columns < 1) throw SheetError(sheet_errors::kBadCell, "工作表至少要有一行一列");
    if (target.format == SheetFileFormat::Xls && (extent.rows > kXlsMaxRows || extent.columns > kXlsMaxColumns))
        throw SheetError(sheet_errors::kTooLargeForFormat,
                         "工作表共 " + std::to_string(extent.rows) + " 行 " + std::to_string(extent.columns) +
                             " 列，超过 .xls 格式每个工作表 " + std::to_string(kXlsMaxRows) + " 行、" +
                             std::to_string(kXlsMaxColumns) + " 列的上限，请另存为 .xlsx 格式");
    if (extent.rows > static_cast<long long>(LXW_ROW_MAX) || extent.columns > LXW_COL_MAX)
        throw SheetError(sheet_errors::kTooLargeForFormat,
                         "工作表共 " + std::to_string(extent.rows) + " 行 " + std::to_string(extent.columns) +
                             " 列，超过 .xlsx 格式每个工作表 " + std::to_string(LXW_ROW_MAX) + " 行、" +
                             std::to_string(LXW_COL_MAX) + " 列的上限");
}

}  // namespace

std::string sheetNameFrom(std::string_view wanted, const std::vector<std::string>& taken) {
    constexpr std::size_t kMaxCharacters = 31;
    // Code points of valid UTF-8, each kept as its bytes.
    std::vector<std::string> chars;
    const std::string text = validUtf8(wanted);
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const std::size_t n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        std::string c = text.substr(i, n);
        if (n == 1 && (b < 0x20 || b == 0x7F || std::strchr("[]:*?/\\", text[i]))) c = "_";
        chars.push_back(std::move(c));
        i += n;
    }
    while (!chars.empty() && chars.front() == "'") chars.erase(chars.begin());
    while (!chars.empty() && chars.back() == "'") chars.pop_back();
    if (chars.empty()) chars = {"S", "h", "e", "e", "t"};

    auto lower = [](std::string s) {
        for (char& c : s) c = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
        return s;
    };
    auto isTaken = [&](const std::string& name) {
        // Excel keeps "History" for itself.
        if (lower(name) == "history") return true;
        return std::any_of(taken.begin(), taken.end(), [&](const std::string& t) { return lower(t) == lower(name); });
    };
    auto joined = [&](std::size_t count, const std::string& suffix) {
        std::string name;
        for (std::size_t i = 0; i < std::min(count, chars.size()); ++i) name += chars[i];
        // A cut may leave an apostrophe at the end.
        while (suffix.empty() && !name.empty() && name.back() == '\'') name.pop_back();
        return name + suffix;
    };
    std::string name = joined(kMaxCharacters, "");
    for (long long n = 2; name.empty() || isTaken(name); ++n) {
        const std::string suffix = " (" + std::to_string(n) + ")";
        name = joined(kMaxCharacters - suffix.size(), suffix);
    }
    return name;
}

struct Workbook::Impl {
    OutputTarget target;
    std::optional<TempFile> workbookFile;
    LxwWorkbook workbook;
    std::optional<FormatCache> formats;
    std::vector<std::string> names;
    bool sheetOpen = false;  // a sheet not yet finished
    int firstSheetLastValueRow = 0;

    void ensureOpen() const {
        if (!workbook) throw SheetError(sheet_errors::kWorkbookClosed, "工作簿已保存或已关闭，不能再写入");
    }

    void abandon() {
        workbook.reset();
        if (workbookFile) workbookFile->discard();
    }
};

Workbook::Workbook(OutputTarget target) : impl_(std::make_unique<Impl>()) {
    impl_->target = std::move(target);
    impl_->workbookFile.emplace(impl_->target.path, ".xlsx");
    // Constant memory: each row goes to a temporary file once the next row starts.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    std::string temporaryFolder = platform::narrowTemporaryFolder();
    if (!temporaryFolder.empty()) options.tmpdir = temporaryFolder.data();
    const std::string fileName = platform::narrowFileName(impl_->workbookFile->path());
    if (fileName.empty())
        throw fileError(ENOENT, "无法创建文件", impl_->target.path.string() + "（此路径无法交给表格库）");
    impl_->workbook.reset(workbook_new_opt(fileName.c_str(), &options));
    // Leaving here removes the temporary file.
    if (!impl_->workbook)
        throw SheetError(sheet_errors::kLibraryBase + LXW_ERROR_MEMORY_MALLOC_FAILED,
                         std::string("无法创建工作簿或其临时文件: ") + lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED));
    impl_->formats.emplace(impl_->workbook.get());
}

Workbook::~Workbook() {
    if (impl_) impl_->abandon();
}

const OutputTarget& Workbook::target() const { return impl_->target; }

int Workbook::sheetCount() const { return static_cast<int>(impl_->names.size()); }

std::filesystem::path Workbook::save() {
    Impl& d = *impl_;
    d.ensureOpen();
    if (d.sheetOpen) throw SheetError(sheet_errors::kCellOutOfOrder, "工作表尚未写完，不能保存工作簿");
    if (d.names.empty()) throw SheetError(sheet_errors::kBadCell, "工作簿至少要有一个工作表");
    std::vector<std::filesystem::path> hidden{d.workbookFile->path()};
    try {
        check(closeWorkbook(d.workbook), "保存工作簿失败 " + d.target.path.string());
        if (d.target.format == SheetFileFormat::Xls) {
            TempFile xls(d.target.path, ".xls");
            hidden.push_back(xls.path());
            convertToXls(d.target.converter, d.workbookFile->path(), xls.path(), d.firstSheetLastValueRow,
                         d.target.stopRequested);
            d.workbookFile->discard();
            xls.commitTo(d.target.path);
        } else {
            d.workbookFile->commitTo(d.target.path);
        }
    } catch (const std::filesystem::filesystem_error& e) {
        d.abandon();
        throw namingChosenFile(SheetError(e.code().value(), e.what()), hidden, d.target.path);
    } catch (const SheetError& e) {
        d.abandon();
        throw namingChosenFile(e, hidden, d.target.path);
    } catch (...) {
        d.abandon();
        throw;
    }
    return d.target.path;
}

struct SheetWriter::Impl {
    SheetExtent extent;
    std::unique_ptr<Workbook> ownBook;  // a writer of one sheet has its own workbook
    Workbook::Impl* book = nullptr;
    lxw_worksheet* sheet = nullptr;  // owned by the workbook
    std::string name;
    bool finished = false;
    bool first = false;  // the workbook's first sheet
    FormatCache* formats = nullptr;

    int currentRow = 0;                // 0: no row addressed yet
    std::map<int, PendingCell> cells;  // the current row's, by column
    std::vector<RangeStyle> ranges;    // those reaching the current row or later
    std::vector<CellRange> merges;     // likewise, to refuse overlaps
    std::set<int> wrappedRows;
    int lastValueRow = 0;
    std::map<int, double> widths;  // characters, by column; the others the default
    std::optional<PrintLayout> print;
    double smallestFont = 0;  // points, over the cells holding a value; 0: none yet

    void ensureOpen() const {
        if (finished || !book->workbook)
            throw SheetError(sheet_errors::kWorkbookClosed, "工作簿已保存或已关闭，不能再写入");
    }

    // Without a name the sheet is the library's "Sheet1".
    void open(Workbook::Impl& into, std::optional<std::string_view> wanted, const SheetExtent& sheetExtent) {
        into.ensureOpen();
        if (into.sheetOpen) throw SheetError(sheet_errors::kCellOutOfOrder, "上一个工作表尚未写完");
        checkExtent(into.target, sheetExtent);
        book = &into;
        extent = sheetExtent;
        name = wanted ? sheetNameFrom(*wanted, into.names) : "Sheet1";
        // Constant-memory sheets are written one after the other.
        sheet = workbook_add_worksheet(into.workbook.get(), name.c_str());
        if (!sheet)
            throw SheetError(
                sheet_errors::kLibraryBase + LXW_ERROR_MEMORY_MALLOC_FAILED,
                std::string("无法创建工作簿或其临时文件: ") + lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED));
        first = into.names.empty();
        into.names.push_back(name);
        into.sheetOpen = true;
        formats = &*into.formats;
    }

    void checkCell(int row, int column) const {
        if (row < 1 || row > extent.rows || column < 1 || column > extent.columns)
            throw SheetError(sheet_errors::kBadCell, "单元格 " + cellName(row, column) + " 超出工作表范围（" +
                                                         std::to_string(extent.rows) + " 行 × " +
                                                         std::to_string(extent.columns) + " 列）");
    }

    // Rows before the current one are already in the file.
    void checkNotWritten(int row) const {
        if (row < currentRow)
            throw SheetError(sheet_errors::kCellOutOfOrder, "第 " + std::to_string(row) + " 行已写出（当前第 " +
                                                                std::to_string(currentRow) + " 行），不能再修改");
    }

    void checkRange(const CellRange& r) const {
        ensureOpen();
        if (r.firstRow > r.lastRow || r.firstColumn > r.lastColumn)
            throw SheetError(sheet_errors::kBadCell, "区域 " + rangeName(r) + " 无效");
        checkCell(r.firstRow, r.firstColumn);
        checkCell(r.lastRow, r.lastColumn);
        checkNotWritten(r.firstRow);
    }

    PendingCell& cellAt(int row, int column) {
        ensureOpen();
        checkCell(row, column);
        checkNotWritten(row);
        if (row > currentRow) {
            writeOrAbandon();
            currentRow = row;
        }
        return cells[column];
    }

    void put(int row, int column, CellValue value, const CellStyle& style) {
        PendingCell& cell = cellAt(row, column);
        cell.value = std::move(value);
        cell.style.overlay(style);
    }

    CellFormat formatOf(int column, const std::vector<const RangeStyle*>& active, const PendingCell* cell,
                        bool wrapped) const {
        CellFormat format;
        for (const RangeStyle* r : active)
            if (column >= r->range.firstColumn && column <= r->range.lastColumn) format.apply(r->style);
        if (cell) format.apply(cell->style);
        if (wrapped) format.wrap = true;
        return format;
    }

    void writeCell(int row, int column, const CellValue& value, lxw_format* format) {
        const auto r = static_cast<lxw_row_t>(row - 1);
        const auto c = static_cast<lxw_col_t>(column - 1);
        const std::string where = "单元格 " + cellName(row, column);
        if (const auto* text = std::get_if<std::string>(&value)) {
            check(worksheet_write_string(sheet, r, c, cellText(*text).c_str(), format), where);
            if (!text->empty()) lastValueRow = row;
        } else if (const auto* number = std::get_if<double>(&value)) {
            if (!std::isfinite(*number)) throw SheetError(sheet_errors::kBadCell, where + " 的数值无效");
            check(worksheet_write_number(sheet, r, c, *number, format), where);
            lastValueRow = row;
        } else if (const auto* date = std::get_if<SheetDate>(&value)) {
            lxw_datetime when{date->year, date->month, date->day, 0, 0, 0.0};
            check(worksheet_write_datetime(sheet, r, c, &when, format), where);
            lastValueRow = row;
        } else if (format) {
            check(worksheet_write_blank(sheet, r, c, format), where);
        }
    }

    double widthOf(int column) const {
        auto found = widths.find(column);
        return found != widths.end() ? found->second : LXW_DEF_COL_WIDTH;
    }

    // Points the cell needs; also notes the smallest font that holds a value.
    double heightOf(int row, int column, const CellValue& value, const CellFormat& format) {
        const bool empty = std::holds_alternative<std::monostate>(value) ||
                           (std::holds_alternative<std::string>(value) && std::get<std::string>(value).empty());
        if (empty) return kDefaultRowPoints;
        const double font = format.fontSize > 0 ? format.fontSize : kDefaultFontPoints;
        smallestFont = smallestFont > 0 ? std::min(smallestFont, font) : font;
        double width = widthOf(column);
        for (const CellRange& m : merges) {
            if (row < m.firstRow || row > m.lastRow || column < m.firstColumn || column > m.lastColumn) continue;
            // A text over several rows has their height together: leave it to them.
            if (m.firstRow != m.lastRow) return kDefaultRowPoints;
            width = 0;
            for (int c = m.firstColumn; c <= m.lastColumn; ++c) width += widthOf(c);
        }
        const auto* text = std::get_if<std::string>(&value);
        const int lines = text && format.wrap ? wrappedLines(*text, width, font) : 1;
        return rowPoints(lines, font);
    }

    void applyPrintLayout() {
        if (!print) return;
        worksheet_set_landscape(sheet);
        worksheet_fit_to_pages(sheet, 1, 0);
        worksheet_center_horizontally(sheet);
        worksheet_set_margins(sheet, 0.25, 0.25, 0.75, 0.75);
        lxw_header_footer_options footer{};
        footer.margin = 0.3;
        check(worksheet_set_footer_opt(sheet, "&C第 &P 页 共 &N 页", &footer), "页脚");
        if (print->firstRepeatedRow > 0)
            check(worksheet_repeat_rows(sheet, static_cast<lxw_row_t>(print->firstRepeatedRow - 1),
                                        static_cast<lxw_row_t>(print->lastRepeatedRow - 1)),
                  "打印标题行");
        if (print->frozenRows > 0 || print->frozenColumns > 0)
            worksheet_freeze_panes(sheet, static_cast<lxw_row_t>(print->frozenRows),
                                   static_cast<lxw_col_t>(print->frozenColumns));
        double points = 0;
        for (int c = 1; c <= extent.columns; ++c) points += columnPoints(widthOf(c));
        const Paper paper = paperFor(points, smallestFont > 0 ? smallestFont : kDefaultFontPoints);
        worksheet_set_paper(sheet, paper == Paper::A3 ? 8 : 9);
    }

    // A row that fails half-way leaves the workbook unusable: drop it and its file.
    void writeOrAbandon() {
        try {
            writeCurrentRow();
        } catch (...) {
            abandon();
            throw;
        }
    }

    // Half a sheet cannot be taken out of a workbook: the whole workbook is given up.
    void abandon() {
        if (book && !finished) book->abandon();
        finished = true;
    }

    // In constant-memory mode the library keeps finished rows in a temporary file and
    // never checks those writes: a full disk would silently drop rows. Push the last
    // row out and check the stream before the workbook is assembled from it.
    void checkRowDataWritten() {
        FILE* rows = sheet->optimize_tmpfile;
        if (!rows) return;
        lxw_worksheet_write_single_row(sheet);
        errno = 0;
        if (std::fflush(rows) != 0 || std::ferror(rows))
            throw SheetError(errno ? errno : EIO,
                             std::string("写入工作表临时数据失败: ") + std::strerror(errno ? errno : EIO));
    }

    // Writes every cell of the current row that has a value or a format.
    void writeCurrentRow() {
        if (currentRow == 0) return;
        const int row = currentRow;
        std::vector<const RangeStyle*> active;
        int first = cells.empty() ? extent.columns + 1 : cells.begin()->first;
        int last = cells.empty() ? 0 : cells.rbegin()->first;
        for (const RangeStyle& r : ranges) {
            if (row < r.range.firstRow || row > r.range.lastRow) continue;
            active.push_back(&r);
            first = std::min(first, r.range.firstColumn);
            last = std::max(last, r.range.lastColumn);
        }
        const bool wrapped = wrappedRows.count(row) > 0;
        double height = kDefaultRowPoints;
        auto next = cells.begin();
        for (int column = first; column <= last; ++column) {
            const PendingCell* cell = nullptr;
            if (next != cells.end() && next->first == column) cell = &(next++)->second;
            const bool styled = std::any_of(active.begin(), active.end(), [column](auto* r) {
                return column >= r->range.firstColumn && column <= r->range.lastColumn;
            });
            if (!cell && !styled) continue;
            const CellFormat cellFormat = formatOf(column, active, cell, wrapped);
            lxw_format* format = formats->formatFor(cellFormat);
            writeCell(row, column, cell ? cell->value : CellValue{}, format);
            if (cell) height = std::max(height, heightOf(row, column, cell->value, cellFormat));
        }
        if (wrapped || height > kDefaultRowPoints) {
            CellFormat wrapOnly;
            wrapOnly.wrap = true;
            check(worksheet_set_row(sheet, static_cast<lxw_row_t>(row - 1), height,
                                    wrapped ? formats->formatFor(wrapOnly) : nullptr),
                  "第 " + std::to_string(row) + " 行");
        }
        cells.clear();
        wrappedRows.erase(row);
        std::erase_if(ranges, [row](const RangeStyle& r) { return r.range.lastRow <= row; });
        std::erase_if(merges, [row](const CellRange& m) { return m.lastRow <= row; });
    }
};

SheetWriter::SheetWriter(OutputTarget target, SheetExtent extent) : impl_(std::make_unique<Impl>()) {
    checkExtent(target, extent);
    impl_->ownBook = std::make_unique<Workbook>(std::move(target));
    impl_->open(*impl_->ownBook->impl_, std::nullopt, extent);
}

SheetWriter::SheetWriter(Workbook& book, std::string_view name, SheetExtent extent) : impl_(std::make_unique<Impl>()) {
    impl_->open(*book.impl_, name, extent);
}

SheetWriter::~SheetWriter() {
    if (impl_) impl_->abandon();
}

std::string SheetWriter::name() const { return impl_->name; }

const OutputTarget& SheetWriter::target() const { return impl_->book->target; }

std::size_t SheetWriter::formatCount() const { return impl_->formats ? impl_->formats->size() : 0; }

void SheetWriter::columnWidth(int column, double characters) {
    impl_->ensureOpen();
    impl_->checkCell(1, column);
    if (!(characters >= 0 && characters <= 255))
        throw SheetError(sheet_errors::kBadCell, "第 " + std::to_string(column) + " 列的列宽无效");
    const auto c = static_cast<lxw_col_t>(column - 1);
    check(worksheet_set_column(impl_->sheet, c, c, characters, nullptr), "第 " + std::to_string(column) + " 列");
    impl_->widths[column] = characters;
}

void SheetWriter::printLayout(const PrintLayout& layout) {
    impl_->ensureOpen();
    if (layout.firstRepeatedRow > 0) {
        impl_->checkCell(layout.firstRepeatedRow, 1);
        impl_->checkCell(layout.lastRepeatedRow, 1);
        if (layout.lastRepeatedRow < layout.firstRepeatedRow)
            throw SheetError(sheet_errors::kBadCell, "打印标题行无效");
    }
    if (layout.frozenRows < 0 || layout.frozenRows > impl_->extent.rows || layout.frozenColumns < 0 ||
        layout.frozenColumns > impl_->extent.columns)
        throw SheetError(sheet_errors::kBadCell, "冻结窗格的位置无效");
    impl_->print = layout;
}

void SheetWriter::style(const CellRange& range, const CellStyle& style) {
    impl_->checkRange(range);
    impl_->ranges.push_back({range, style});
}

void SheetWriter::merge(const CellRange& range) {
    impl_->checkRange(range);
    if (range.firstRow == range.lastRow && range.firstColumn == range.lastColumn)
        throw SheetError(sheet_errors::kBadCell, "不能只合并一个单元格 " + rangeName(range));
    for (const CellRange& other : impl_->merges)
        if (overlaps(other, range))
            throw SheetError(sheet_errors::kBadCell,
                             "合并区域 " + rangeName(range) + " 与 " + rangeName(other) + " 重叠");
    // With no text and no format the library only records the range: the cells
    // themselves are written with their rows, which constant-memory mode requires.
    check(worksheet_merge_range(
              impl_->sheet, static_cast<lxw_row_t>(range.firstRow - 1), static_cast<lxw_col_t>(range.firstColumn - 1),
              static_cast<lxw_row_t>(range.lastRow - 1), static_cast<lxw_col_t>(range.lastColumn - 1), "", nullptr),
          "合并区域 " + rangeName(range));
    impl_->merges.push_back(range);
}

void SheetWriter::wrapRow(int row) {
    impl_->ensureOpen();
    impl_->checkCell(row, 1);
    impl_->checkNotWritten(row);
    impl_->wrappedRows.insert(row);
}

void SheetWriter::text(int row, int column, std::string_view text, const CellStyle& style) {
    impl_->put(row, column, std::string(text), style);
}

void SheetWriter::number(int row, int column, double value, const CellStyle& style) {
    impl_->put(row, column, value, style);
}

void SheetWriter::date(int row, int column, std::string_view isoDate, const CellStyle& style) {
    CellStyle dated;
    dated.numberFormat = "yyyy-mm-dd";
    dated.overlay(style);
    if (auto parsed = parseSheetDate(isoDate)) impl_->put(row, column, *parsed, dated);
    else impl_->put(row, column, std::string(isoDate), dated);
}

void SheetWriter::entered(int row, int column, std::string_view typed, const CellStyle& style) {
    impl_->put(row, column, enteredValue(typed), style);
}

std::filesystem::path SheetWriter::save() {
    Impl& d = *impl_;
    d.ensureOpen();
    try {
        d.writeOrAbandon();
        d.checkRowDataWritten();
        d.applyPrintLayout();
    } catch (...) {
        d.abandon();
        throw;
    }
    d.finished = true;
    d.book->sheetOpen = false;
    if (d.first) d.book->firstSheetLastValueRow = d.lastValueRow;
    // A sheet of a shared workbook is done; the workbook is saved by its owner.
    if (d.ownBook) return d.ownBook->save();
    return d.book->target.path;
}

}  // namespace tally::sheet
