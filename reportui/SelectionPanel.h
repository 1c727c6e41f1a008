#pragma once
// The left panel of a report window: the period with the extract and start
// commands, the split-ratio grid and the department list. It holds the controls;
// the window decides what they do.
#include <QWidget>

class QDateEdit;
class QLabel;
class QListWidget;
class QPushButton;

namespace tally {
class Notifier;
}  // namespace tally

namespace tally::reportui {

class SplitRatioGrid;

class SelectionPanel : public QWidget {
    Q_OBJECT
public:
    // periodLabel: "收款日期范围" or "开票日期范围".
    SelectionPanel(const QString& periodLabel, Notifier& notifier, QWidget* parent = nullptr);

    QListWidget* departmentList() const { return departmentList_; }
    QDateEdit* startPicker() const { return startPicker_; }
    QDateEdit* endPicker() const { return endPicker_; }
    QPushButton* extractButton() const { return extractButton_; }
    QPushButton* startButton() const { return startButton_; }
    SplitRatioGrid* splitGrid() const { return splitGrid_; }

protected:
    // The department list reaches down to the panel's bottom edge.
    void resizeEvent(QResizeEvent* event) override;

private:
    QDateEdit* makePicker(QWidget* parent, const QString& name, int x, int y);

    QListWidget* departmentList_;
    QDateEdit* startPicker_;
    QDateEdit* endPicker_;
    QPushButton* extractButton_;
    QPushButton* startButton_;
    SplitRatioGrid* splitGrid_;
};

}  // namespace tally::reportui
