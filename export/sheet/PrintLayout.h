#pragma once
// How a sheet prints: the measures behind its row heights and its paper.
//
// Sheets print landscape, one page wide and as many pages high as they need, with
// narrow margins. The paper is A4 unless fitting the columns to its width would print
// the sheet's smallest font under kSmallestPrintedFont points; then it is A3 (and
// should even A3 shrink it further, A3 is still the largest paper offices print on).
//
// Texts are measured in character units of the workbook's default font (11 pt): an
// East Asian wide character counts two, any other character a little over one, scaled
// by the cell's font size. The measures err on the wide side, so that a row is rather
// a little too high than printing over the row below.
#include <string_view>

namespace tally::sheet {

inline constexpr double kDefaultFontPoints = 11;
inline constexpr double kDefaultRowPoints = 15;
inline constexpr double kSmallestPrintedFont = 6;

// Printable width of a landscape page with the narrow margins (0.25 inch a side).
inline constexpr double kA4PrintablePoints = (297.0 / 25.4 - 0.5) * 72;
inline constexpr double kA3PrintablePoints = (420.0 / 25.4 - 0.5) * 72;

enum class Paper { A4, A3 };

struct PrintLayout {
    int firstRepeatedRow = 0;  // rows printed at the top of every page; 0: none
    int lastRepeatedRow = 0;
    int frozenRows = 0;     // the panes are frozen below these rows
    int frozenColumns = 0;  // and right of these columns
};

// Width of a column `characters` wide, in points, as it prints.
double columnPoints(double characters);

// The paper for columns `sheetPoints` wide whose smallest font is `smallestFontPoints`.
Paper paperFor(double sheetPoints, double smallestFontPoints);

// Width of `text` (UTF-8) at `fontPoints`, in character units.
double textCharacters(std::string_view text, double fontPoints);

// Lines `text` takes when wrapped at words (and inside words longer than a line) in a
// cell `columnCharacters` wide; line breaks in the text start new lines. At least 1.
int wrappedLines(std::string_view text, double columnCharacters, double fontPoints);

// Height in points of a row showing `lines` lines at `fontPoints`; never under the
// default row height.
double rowPoints(int lines, double fontPoints);

}  // namespace tally::sheet
