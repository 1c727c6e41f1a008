#pragma once
// The split-ratio grid: one row per extracted parking item with the developer
// and property-company percentages, edited through the floating RatioEditBox.
//
// Columns: 0 "序" (row number, fixed), 1 "停车费项目" (name), 2 "开发商",
// 3 "物业公司", 4 the item's quoted code (hidden).
#include <QTableWidget>

#include <optional>

#include "FeeItems.h"

class QLineEdit;

namespace tally {
class Notifier;
}  // namespace tally

namespace tally::reportui {

using reports::kSplitNotAt100;

class SplitRatioGrid : public QTableWidget {
    Q_OBJECT
public:
    enum Column { NumberColumn = 0, NameColumn, DeveloperColumn, PropertyColumn, CodeColumn, ColumnCount };

    // The edit box is created beside the grid, in the grid's parent widget. A pair that
    // does not add up to 100 is told through `notifier`.
    SplitRatioGrid(Notifier& notifier, QWidget* parent);

    // Replaces the rows (an empty list leaves the heading row only).
    void setRows(const reports::SplitRatioRows& rows);
    // The rows with the percentages as they stand now.
    reports::SplitRatioRows rows() const;
    // The rows for 开始统计. What the editor holds goes into its cell first; then every
    // row must hold two numbers from 0 to 100 that add up to 100. The cells are rewritten
    // as the numbers the run will use ("30%" -> "30"). A row that fails is told through
    // the notifier, the editor goes to it, and nullopt comes back.
    std::optional<reports::SplitRatioRows> percentagesForRun();

    QLineEdit* ratioEditBox() const { return editBox_; }

private:
    // Shows the box over the current cell when it is a percentage cell, else hides it.
    void placeEditBox();
    // Enter in the box: the text goes into the cell, then on to the next step.
    void commitEditBox();

    Notifier& notifier_;
    QLineEdit* editBox_;
};

}  // namespace tally::reportui
