#pragma once
// Finding a row in a report window's result: Ctrl+F opens a small find bar over the top
// right of the result grid; Enter in it, or F3 anywhere in the window, goes to the next
// row after the selected one (or after the top of the page shown, when none is selected)
// that holds the text (an invoice number, a payer, an amount by its value), going round
// past the last row. The row's page is drawn, the row selected and the matching cell
// made current. No match is told through the notifier. The matching is the engine's
// (explain::ResultSearch); this only asks and shows.
#include <QObject>

#include <functional>
#include <string>
#include <vector>

class QLineEdit;
class QWidget;

namespace tally {
class Notifier;
}  // namespace tally

namespace tally::reportui {

class ReportWindowFrame;
class ResultGrid;
class ResultPager;

// The rows a find goes through, numbered from 0 over the whole result (every page).
struct FindableRows {
    std::function<int()> count;
    // A row's cell texts; the cells before `firstColumn` are not searched.
    std::function<std::vector<std::string>(int row)> cells;
    int firstColumn = 0;
    // The row a find goes on after: the selected one, else the one before the first
    // shown; -1 starts at row 0.
    std::function<int()> current;
    // Brings the row into view (its page first), selects it and makes `column` current.
    std::function<void(int row, int column)> show;
};

// A paged detail result: the pager's rows; column 0 (the row number) is not searched.
FindableRows pagedRows(ResultPager& pager, ResultGrid& grid);
// A result shown whole in the grid (the reconciliation table).
FindableRows shownRows(ResultGrid& grid);

class GridFind : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kNotFound = "未找到“%1”";

    // The bar goes over `window`'s result grid; shortcuts work wherever the focus is in
    // the window.
    GridFind(ReportWindowFrame& window, Notifier& notifier, FindableRows rows);

    // Ctrl+F: shows the bar with the last text selected and the focus in it.
    void ask();
    // Enter in the bar, F3: the next match of the bar's text. Does nothing while the
    // window's work runs or when the text is blank; an F3 before any text opens the bar.
    void findNext();

    QWidget* bar() const { return bar_; }
    QLineEdit* box() const { return box_; }

protected:
    // Keeps the bar at the grid's corner as the grid moves or changes size.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();
    void close();

    ReportWindowFrame& window_;
    Notifier& notifier_;
    FindableRows rows_;
    QWidget* bar_;
    QLineEdit* box_;
};

}  // namespace tally::reportui
