#include "Paging.h"

#include <cmath>
#include <cstdio>

#include "Money.h"

namespace tally::reports {

long roundHalfToEven(double value) { return std::lrint(std::nearbyint(value)); }

int pageSizeForHeight(double gridHeight, double firstRowHeight) {
    if (firstRowHeight <= 0) return 1;
    long size = roundHalfToEven(gridHeight / firstRowHeight - 1);
    return size < 1 ? 1 : static_cast<int>(size);
}

int rowsThatFit(double viewHeight, double rowHeight) {
    if (rowHeight <= 0 || viewHeight < rowHeight) return 1;
    return static_cast<int>(std::floor(viewHeight / rowHeight));
}

int pageCountFor(int rows, int pageSize) {
    if (rows <= 0) return 0;
    if (pageSize < 1) pageSize = 1;
    return rows / pageSize + (rows % pageSize ? 1 : 0);
}

std::string pageLabel(int page, int pageCount) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "第 %02d 页 共 %02d 页", page, pageCount);
    return buf;
}

std::optional<int> pageFromBox(std::string_view text, int pageCount) {
    double v = leadingNumber(text);
    if (v <= 0 || v > pageCount) return std::nullopt;
    long page = roundHalfToEven(v);
    if (page == 0) return std::nullopt;
    return static_cast<int>(page);
}

void Paging::resize(int newPageSize, int rows) {
    const int firstShown = currentPage > 0 ? firstRow(currentPage) : 0;
    pageSize = newPageSize < 1 ? 1 : newPageSize;
    pageCount = pageCountFor(rows, pageSize);
    if (currentPage > 0) currentPage = firstShown / pageSize + 1;
    if (currentPage > pageCount) currentPage = pageCount;
}

int Paging::endRow(int page, int rows) const {
    long end = static_cast<long>(page) * pageSize;
    return end > rows ? rows : static_cast<int>(end);
}

}  // namespace tally::reports
