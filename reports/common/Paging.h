#pragma once
// Paging of a result: page size, page count, the current page and the page label.
#include <optional>
#include <string>
#include <string_view>

namespace tally::reports {

// Rows per page for a grid height: height / first row's height - 1, rounded to
// the nearest whole number with halves to even, never below 1.
int pageSizeForHeight(double gridHeight, double firstRowHeight);

// Rows of `rowHeight` that fit whole into `viewHeight` (any unit, the same for both);
// never below 1, so that a page always moves on.
int rowsThatFit(double viewHeight, double rowHeight);

// Pages for a number of rows: rounded up; 0 rows give 0 pages.
int pageCountFor(int rows, int pageSize);

// "第 01 页 共 03 页"; numbers take at least two digits.
std::string pageLabel(int page, int pageCount);

// The page a page-number box asks for: the number at the start of its text,
// rounded with halves to even; nullopt (the box is emptied) when it is not a page.
std::optional<int> pageFromBox(std::string_view text, int pageCount);

// Rounds to the nearest whole number, halves to the even neighbour.
long roundHalfToEven(double value);

struct Paging {
    int pageSize = 1;
    int pageCount = 0;
    int currentPage = 0;

    // Zero-based index of the first row of a page, and one past its last (clipped to rows).
    int firstRow(int page) const { return (page - 1) * pageSize; }
    int endRow(int page, int rows) const;

    // A new page size: the page count follows, and the current page becomes the one that
    // holds the first row shown before, so that no row is skipped.
    void resize(int newPageSize, int rows);

    void first() { currentPage = 1; }
    void previous() { currentPage = currentPage - 1 <= 1 ? 1 : currentPage - 1; }
    void next() { currentPage = currentPage + 1 > pageCount ? pageCount : currentPage + 1; }
    void last() { currentPage = pageCount; }
    std::string label() const { return pageLabel(currentPage, pageCount); }
};

}  // namespace tally::reports
