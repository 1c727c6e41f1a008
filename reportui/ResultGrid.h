#pragma once
// The paged result grid of a detail-report window: two heading rows merged as
// the report's HeadingLayout says, column widths from twips, the report's frozen
// columns, and one page of drawn rows at a time.
#include <vector>

#include "DetailReport.h"
#include "FrozenTableView.h"
#include "Headings.h"

namespace tally::reportui {

class ResultPageModel;

class ResultGrid : public FrozenTableView {
    Q_OBJECT
public:
    // A row whose wrap-column text does not fit is made this high.
    static constexpr int kTallRowTwips = 600;

    explicit ResultGrid(QWidget* parent = nullptr);

    // New headings (texts, merges, widths, frozen columns); no data row is left.
    void setHeadings(const reports::HeadingLayout& headings);
    const reports::HeadingLayout& headings() const;

    // Shows one page: the rows as the report drew them.
    void showRows(std::vector<reports::DrawnRow> rows);
    // Cuts the grid back to its two heading rows.
    void clearRows();
    int dataRowCount() const;

    // Height of heading row 0.
    int firstRowHeight() const;
    // Data rows of the normal height that the grid shows whole: inside its frame, under
    // both heading rows and above the horizontal scroll bar when the columns need one.
    int rowsPerPage() const;
    // Width of a column in twips, as set from the headings.
    int columnWidthTwips(int column) const;

    ResultPageModel* pageModel() const { return model_; }

private:
    void applyHeadingGeometry();

    ResultPageModel* model_;
};

}  // namespace tally::reportui
