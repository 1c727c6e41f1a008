#pragma once
// The report windows' status bar: nine panels, "操作员", its value, "部门", its
// value, "岗位", its value, a fixed caption, the current date and the current time.
// The date and time panels keep themselves up to date, as a status bar's date
// and time panels do.
#include <QStatusBar>

class QLabel;
class QTimer;

namespace tally::reportui {

class ReportStatusBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kPanelCount = 9;
    enum Panel {
        OperatorCaption,
        OperatorValue,
        DepartmentCaption,
        DepartmentValue,
        PositionCaption,
        PositionValue,
        FixedCaption,
        DatePanel,
        TimePanel
    };

    explicit ReportStatusBar(QWidget* parent = nullptr);

    QLabel* panel(int index) const;
    // Rewrites the date and time panels from the clock.
    void refreshClock();

private:
    QLabel* panels_[kPanelCount];
    QTimer* clock_;
};

}  // namespace tally::reportui
