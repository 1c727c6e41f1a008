#include "PageBreaks.h"

#include <algorithm>

namespace tally::pdf {

PageBreaks::PageBreaks(const std::vector<int>& rowHeights, int firstPageRoom, int pageRoom, int trailer)
    : rowCount_(static_cast<int>(rowHeights.size())) {
    starts_.push_back(0);
    int room = firstPageRoom;
    int used = 0;
    for (int r = 0; r < rowCount_; ++r) {
        const int h = rowHeights[r];
        // The first row of a page always stays on it, however tall.
        if (used > 0 && used + h > room) {
            starts_.push_back(r);
            room = pageRoom;
            used = 0;
        }
        used += h;
    }
    // The line under the table goes under the last row; without room there it gets a
    // last page of its own.
    if (rowCount_ > 0 && used + trailer > room) starts_.push_back(rowCount_);
}

RowRange PageBreaks::rows(int page) const {
    const int p = std::clamp(page, 0, pageCount() - 1);
    const int end = p + 1 < pageCount() ? starts_[p + 1] : rowCount_;
    return {starts_[p], end};
}

}  // namespace tally::pdf
