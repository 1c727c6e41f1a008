#include "Headings.h"

namespace tally::reports {

void HeadingLayout::addColumn(std::string top, std::string bottom, int widthTwips, bool mergesDown) {
    row0.push_back(std::move(top));
    row1.push_back(std::move(bottom));
    widthsTwips.push_back(widthTwips);
    mergeDown.push_back(mergesDown);
}

std::vector<bool> HeadingLayout::mergedDown() const {
    std::vector<bool> merged(columnCount(), false);
    for (int c = 0; c < columnCount(); ++c) {
        bool equal = mergeDown[c] && row0[c] == row1[c];
        merged[c] = equal && (!downMergeRestrictedByLeft || c == 0 || merged[c - 1]);
    }
    return merged;
}

std::vector<HeadingSpan> HeadingLayout::spans() const {
    std::vector<HeadingSpan> out;
    auto down = mergedDown();
    for (int c = 0; c < columnCount();) {
        int end = c + 1;
        while (end < columnCount() && row0[end] == row0[c] && down[end] == down[c]) ++end;
        HeadingSpan span{0, c, down[c] ? 2 : 1, end - c};
        if (span.rowSpan > 1 || span.columnSpan > 1) out.push_back(span);
        c = end;
    }
    return out;
}

}  // namespace tally::reports
