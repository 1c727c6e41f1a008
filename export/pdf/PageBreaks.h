#pragma once
// Which table rows go on which page: rows keep their order, every page takes as many as
// fit, the first page has less room (title and condition lines) and the last page must
// also hold the line under the table. Plain arithmetic, no painting.
#include <vector>

namespace tally::pdf {

struct RowRange {
    int first = 0;  // zero-based, included
    int end = 0;    // excluded
    bool operator==(const RowRange&) const = default;
};

class PageBreaks {
public:
    // `rowHeights`: every row's height; `firstPageRoom`, `pageRoom`: the height the table
    // rows may fill on page 1 and on the others; `trailer`: the height of the line under
    // the last row. A row taller than a page gets a page of its own. With no rows there
    // is still one page (the headings and the line under them).
    PageBreaks(const std::vector<int>& rowHeights, int firstPageRoom, int pageRoom, int trailer);

    int pageCount() const { return static_cast<int>(starts_.size()); }
    // The rows of page `page` (zero-based); a page outside the document clamps to the
    // first or last page.
    RowRange rows(int page) const;

private:
    std::vector<int> starts_;  // first row of each page
    int rowCount_ = 0;
};

}  // namespace tally::pdf
