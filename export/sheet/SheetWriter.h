#pragma once
// Writes one formatted worksheet with the cell operations the export layouts use, and
// saves it as .xlsx or .xls.
//
// Rows and columns count from 1. Rows are handed over in ascending order: a row is written
// out when a later row is first addressed (or at save()) and cannot change afterwards, so
// memory stays flat however many rows a report has. Styles for a range, merges and row
// wrapping must therefore be given before the range's first row is written out: declare
// them while that row is the current row or still ahead.
//
// A cell's format is the combination of the styles of every range covering it (in the
// order they were declared), then the cell's own style, then its row's wrapping.
//
// A row is as high as its highest cell needs (wrapped texts measured at their columns'
// widths and fonts, see PrintLayout.h; cells merged over several rows are left out),
// never under the default height. Widths count as they stand when the row is written out.
//
// Every failure throws SheetError. Nothing appears under the target name until save()
// has finished; a writer destroyed unsaved leaves nothing behind.
//
// A Workbook holds several such sheets, written one after the other: each SheetWriter made
// on it adds its sheet, and its save() only finishes that sheet; the workbook's save()
// writes the file. A failure in any sheet gives up the whole workbook.
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "CellStyle.h"
#include "OutputTarget.h"
#include "PrintLayout.h"

namespace tally::sheet {

struct CellRange {
    int firstRow = 1;
    int firstColumn = 1;
    int lastRow = 1;
    int lastColumn = 1;
};

// The last row and column the layout will write. Sheets beyond what the target's file
// format holds are refused before anything is written.
struct SheetExtent {
    int rows = 1;
    int columns = 1;
};

// Grid column widths are kept in twips; a sheet column is about 110 twips per character.
inline double twipsToCharacters(double twips) { return twips / 110.0; }

class Workbook {
public:
    explicit Workbook(OutputTarget target);
    ~Workbook();
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    const OutputTarget& target() const;
    // Sheets added so far.
    int sheetCount() const;
    // Writes the file and returns its path (the target's). Only once, with at least one
    // sheet, and after every sheet's own save().
    std::filesystem::path save();

private:
    friend class SheetWriter;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// A name a sheet can take: without []:*?/\ and control characters (each becomes "_"), not
// starting or ending with "'", at most 31 characters, not empty, and none of `taken`
// (compared without ASCII case): " (2)", " (3)" ... replace its end when it is.
std::string sheetNameFrom(std::string_view wanted, const std::vector<std::string>& taken);

class SheetWriter {
public:
    SheetWriter(OutputTarget target, SheetExtent extent);
    // A sheet of `book`, named sheetNameFrom(name, the names it already has).
    SheetWriter(Workbook& book, std::string_view name, SheetExtent extent);
    ~SheetWriter();
    SheetWriter(const SheetWriter&) = delete;
    SheetWriter& operator=(const SheetWriter&) = delete;

    const OutputTarget& target() const;

    // Width in character units; may be set at any time before save().
    void columnWidth(int column, double characters);
    void style(const CellRange& range, const CellStyle& style);
    // The range shows as one cell with its upper-left value. Single cells and overlapping
    // merges are refused.
    void merge(const CellRange& range);
    // Long texts wrap everywhere in the row, also in cells written later.
    void wrapRow(int row);
    // Prints landscape, one page wide, centred, with narrow margins and the page count in
    // the footer, repeating and freezing as `layout` says; the paper follows paperFor().
    // May be given at any time before save(). Without it the sheet keeps the defaults.
    void printLayout(const PrintLayout& layout);

    // Always stored as text, leading zeros and all.
    void text(int row, int column, std::string_view text, const CellStyle& style = {});
    void number(int row, int column, double value, const CellStyle& style = {});
    // A "yyyy-mm-dd" text stored as a date with the number format "yyyy-mm-dd"; any other
    // text is stored unchanged as text, with the same format.
    void date(int row, int column, std::string_view isoDate, const CellStyle& style = {});
    // A text as if typed into the cell (see enteredValue): numbers become numbers.
    void entered(int row, int column, std::string_view typed, const CellStyle& style = {});

    // Writes the file and returns its path (the target's). Only once. For a sheet of a
    // Workbook: finishes the sheet; the workbook's save() writes the file.
    std::filesystem::path save();
    // The sheet's name.
    std::string name() const;

    // Workbook formats made so far (equal formats are shared).
    std::size_t formatCount() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tally::sheet
