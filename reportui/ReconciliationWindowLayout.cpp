// The reconciliation window's regions with their starting sizes (twips) and the resize rule.
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "BusyPanel.h"
#include "ReconciliationWindow.h"
#include "ReportBottomBar.h"
#include "ReportFonts.h"
#include "Twips.h"

namespace tally::reportui {
namespace {

// Two lines in the banner (the title and the formula under it); the panel a little
// wider than the detail windows' so that the period line fits with its command.
constexpr int kBannerHeight = 780, kPanelWidth = 4800;
constexpr int kListLeft = 90, kListTop = 420, kPeriodGroupHeight = 1050;
constexpr int kListWidth = kPanelWidth - kListLeft - 45;  // the period group has the same width
constexpr int kGridTop = 30;

const QColor kTitleColour(128, 0, 0);

template <class Region>
Region* coloured(Region* region, const QString& name) {
    paintAsPanel(region, name);
    return region;
}

QLabel* boldLabel(const QString& text, double pointSize, QWidget* parent, const QString& name) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(windowFont(pointSize, true));
    label->adjustSize();
    return label;
}

QComboBox* periodBox(QWidget* parent, const QString& name) {
    auto* box = new QComboBox(parent);  // a drop-down list: nothing can be typed
    box->setObjectName(name);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return box;
}

}  // namespace

void ReconciliationWindow::buildControls() {
    buildBanner({kBannerHeight, kPanelWidth, kGridTop}, "增值税票据核对统计条件", 12);
    QPalette titlePalette = titleLabel_->palette();
    titlePalette.setColor(QPalette::WindowText, kTitleColour);
    titleLabel_->setPalette(titlePalette);
    formulaLabel_ = boldLabel(kFormula, 9, banner_, "FormulaLabel");

    selectionPanel_ = coloured(new QWidget(this), "SelectionPanel");
    departmentCaption_ = boldLabel("选择部门", 9, selectionPanel_, "DepartmentCaption");
    departmentCaption_->move(twipsX(165, this), twipsY(120, this));
    departmentList_ = new QListWidget(selectionPanel_);
    departmentList_->setObjectName("DepartmentList");
    departmentList_->setFont(windowFont(9, true));
    departmentList_->setSelectionMode(QAbstractItemView::SingleSelection);
    departmentList_->setGeometry(twipsX(kListLeft, this), twipsY(kListTop, this), twipsX(kListWidth, this),
                                 twipsY(1200, this));

    // The period group: its caption, then the year, the months and 开始统计 on one line.
    periodGroup_ = coloured(new QFrame(selectionPanel_), "PeriodGroup");
    periodGroup_->setFrameShape(QFrame::StyledPanel);
    periodGroup_->setGeometry(twipsX(kListLeft, this), 0, twipsX(kListWidth, this), twipsY(kPeriodGroupHeight, this));
    auto* groupLayout = new QVBoxLayout(periodGroup_);
    groupLayout->setContentsMargins(twipsX(90, this), twipsY(60, this), twipsX(90, this), twipsY(90, this));
    groupLayout->addWidget(boldLabel("设定开票年月", 9, periodGroup_, "PeriodCaption"));
    auto* line = new QHBoxLayout;
    line->setSpacing(twipsX(45, this));
    yearBox_ = periodBox(periodGroup_, "YearBox");
    startMonthBox_ = periodBox(periodGroup_, "StartMonthBox");
    endMonthBox_ = periodBox(periodGroup_, "EndMonthBox");
    startButton_ = new QPushButton("开始统计", periodGroup_);
    startButton_->setObjectName("StartButton");
    line->addWidget(yearBox_);
    line->addWidget(new QLabel("年", periodGroup_));
    line->addWidget(startMonthBox_);
    line->addWidget(new QLabel("月至 ", periodGroup_));
    line->addWidget(endMonthBox_);
    line->addWidget(new QLabel("月", periodGroup_));
    line->addStretch();
    line->addWidget(startButton_);
    groupLayout->addLayout(line);

    buildResultArea("MainArea");
    buildResultGrid();
    buildBusyPanel();
    busyPanel_->setCaption(kGeneratingCaption);

    buildBars();
}

// The frame has placed the banner, the main area with the grid and the busy panel,
// the bottom bar (whose buttons and progress bar follow its width) and the status bar.
void ReconciliationWindow::placeOwnRegions(const Placement& placement) {
    if (!placement.panel.isEmpty()) selectionPanel_->setGeometry(placement.panel);
    // The title centred over the main area, the formula centred under it.
    if (placement.areaWidth > 0) {
        const int lines = titleLabel_->height() + formulaLabel_->height();
        const int top = std::max(0, (placement.banner - lines) / 2);
        titleLabel_->move(centredOverArea(titleLabel_, placement), top);
        formulaLabel_->move(centredOverArea(formulaLabel_, placement), top + titleLabel_->height());
    }
    // The period group at the bottom of the panel, 30 below the bottom bar's top; the
    // department list reaches 60 under the group's top, which covers it.
    // (In the panel the bar's top is the main area's height down.)
    const int groupTop = placement.areaHeight - periodGroup_->height() + twipsY(30, this);
    if (groupTop > 0) {
        periodGroup_->move(periodGroup_->x(), groupTop);
        periodGroup_->raise();
        const int listHeight = groupTop - departmentList_->y() + twipsY(60, this);
        if (listHeight > 0) departmentList_->resize(departmentList_->width(), listHeight);
    }
}

}  // namespace tally::reportui
