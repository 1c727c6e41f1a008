#pragma once
// A print table laid out on A4 landscape pages and painted page by page, so a preview
// paints only the pages it shows. The table is scaled down (never up) to the printable
// width; title and condition lines head page 1, the heading rows every page, and each
// page ends with "第 N 页 共 M 页".
#include <QSizeF>

#include <vector>

#include "PageBreaks.h"
#include "PrintTable.h"

class QPainter;

namespace tally::pdf {

class TablePages {
public:
    // Reads every row once for its height. Throws sheet::SheetError for a table whose
    // headings do not fit its columns.
    explicit TablePages(PrintTable table);

    // The paper, A4 landscape, in twips.
    static QSizeF paperTwips();

    int pageCount() const { return breaks_.pageCount(); }
    // The table rows of a page (zero-based).
    RowRange rows(int page) const { return breaks_.rows(page); }
    // Table twips to paper twips, at most 1.
    double scale() const { return scale_; }
    const PrintTable& table() const { return table_; }

    // Paints page `page` (zero-based) with `painter` in paper twips, origin at the top left
    // of the paper; callers scale the painter to their device first.
    void paint(QPainter& painter, int page) const;

private:
    void paintHeadings(QPainter& painter, double top) const;
    double paintRows(QPainter& painter, RowRange rows, double top) const;
    void paintTrailer(QPainter& painter, double top) const;

    PrintTable table_;
    std::vector<double> columnLeft_;  // one more than the columns: the right edge last
    double scale_ = 1;
    PageBreaks breaks_;
};

}  // namespace tally::pdf
