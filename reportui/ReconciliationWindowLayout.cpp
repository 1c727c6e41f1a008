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
#include "ReportStatusBar.h"
#include "ResultGrid.h"
#include "Twips.h"

namespace tally::reportui {
namespace {

constexpr int kDesignWidth = 15240, kDesignHeight = 8700;
// Two lines in the banner (the title and the formula under it); the panel a little
// wider than the detail windows' so that the period line fits with its command.
constexpr int kBannerHeight = 780, kPanelWidth = 4800, kStatusBarHeight = 315;
constexpr int kListLeft = 90, kListTop = 420, kPeriodGroupHeight = 1050;
constexpr int kListWidth = kPanelWidth - kListLeft - 45;  // the period group has the same width
constexpr int kGridLeft = 30, kGridTop = 30, kGridMargin = 60;

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
    setFont(windowFont(9));

    banner_ = coloured(new QWidget(this), "Banner");
    panelHeading_ = boldLabel("增值税票据核对统计条件", 12, banner_, "PanelHeading");
    panelHeading_->move(twipsX(90, this), (twipsY(kBannerHeight, this) - panelHeading_->height()) / 2);
    titleLabel_ = boldLabel(kCaption, 12, banner_, "TitleLabel");
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
    departmentList_->setGeometry(twipsX(kListLeft, this), twipsY(kListTop, this),
                                 twipsX(kListWidth, this), twipsY(1200, this));

    // The period group: its caption, then the year, the months and 开始统计 on one line.
    periodGroup_ = coloured(new QFrame(selectionPanel_), "PeriodGroup");
    periodGroup_->setFrameShape(QFrame::StyledPanel);
    periodGroup_->setGeometry(twipsX(kListLeft, this), 0, twipsX(kListWidth, this),
                              twipsY(kPeriodGroupHeight, this));
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

    mainArea_ = new QWidget(this);
    mainArea_->setObjectName("MainArea");
    resultGrid_ = new ResultGrid(mainArea_);
    resultGrid_->move(twipsX(kGridLeft, this), twipsY(kGridTop, this));
    busyPanel_ = new BusyPanel(mainArea_);
    busyPanel_->setCaption(kGeneratingCaption);

    bottomBar_ = new ReportBottomBar(this);
    exportButton_ = bottomBar_->exportButton();
    exitButton_ = bottomBar_->exitButton();
    progressBar_ = bottomBar_->progressBar();

    statusBar_ = new ReportStatusBar(this);
}

QWidget* ReconciliationWindow::bottomBar() const { return bottomBar_; }

QSize ReconciliationWindow::sizeHint() const { return {twipsX(kDesignWidth, this), twipsY(kDesignHeight, this)}; }

void ReconciliationWindow::setTitle(const QString& text) {
    titleLabel_->setText(text);
    titleLabel_->adjustSize();
    applyLayout();
}

// Each step stands on its own: one that has no room (a window made very small or
// minimised) is skipped and the others still run.
void ReconciliationWindow::applyLayout() {
    if (!statusBar_) return;
    const int width = this->width();
    const int height = this->height();
    const int banner = twipsY(kBannerHeight, this);
    const int panelWidth = twipsX(kPanelWidth, this);
    const int barHeight = twipsY(ReportBottomBar::kHeightTwips, this);
    const int statusHeight = twipsY(kStatusBarHeight, this);

    if (width > 0) banner_->setGeometry(0, 0, width, banner);
    if (width > 0 && height > statusHeight) statusBar_->setGeometry(0, height - statusHeight, width, statusHeight);
    if (height - banner - statusHeight > 0)
        selectionPanel_->setGeometry(0, banner, panelWidth, height - banner - statusHeight);

    // 1. Main area right of the panel, between the banner and the bottom bar.
    const int areaWidth = width - panelWidth;
    const int areaHeight = height - banner - barHeight - statusHeight;
    if (areaWidth > 0 && areaHeight > 0) mainArea_->setGeometry(panelWidth, banner, areaWidth, areaHeight);
    // 2. Title centred over the main area, the formula centred under it.
    if (areaWidth > 0) {
        const int lines = titleLabel_->height() + formulaLabel_->height();
        const int top = std::max(0, (banner - lines) / 2);
        titleLabel_->move((areaWidth - titleLabel_->width()) / 2 + panelWidth, top);
        formulaLabel_->move((areaWidth - formulaLabel_->width()) / 2 + panelWidth, top + titleLabel_->height());
    }
    // 3. Bottom bar under the main area; "退出" and, 5., the progress bar follow its
    //    width (ReportBottomBar::resizeEvent).
    const int barTop = areaHeight + banner;
    if (areaWidth > 0 && areaHeight > 0) bottomBar_->setGeometry(panelWidth, barTop, areaWidth, barHeight);
    // 4. Period group at the bottom of the panel, 30 below the bottom bar's top; the
    //    department list reaches 60 under the group's top, which covers it.
    const int groupTop = barTop - periodGroup_->height() + twipsY(30, this) - banner;
    if (groupTop > 0) {
        periodGroup_->move(periodGroup_->x(), groupTop);
        periodGroup_->raise();
        const int listHeight = groupTop - departmentList_->y() + twipsY(60, this);
        if (listHeight > 0) departmentList_->resize(departmentList_->width(), listHeight);
    }
    // 6. Grid up to 60 from the main area's right and bottom edges.
    const int gridWidth = areaWidth - resultGrid_->x() - twipsX(kGridMargin, this);
    const int gridHeight = areaHeight - resultGrid_->y() - twipsY(kGridMargin, this);
    if (gridWidth > 0 && gridHeight > 0) resultGrid_->resize(gridWidth, gridHeight);
    // 7. Busy panel centred on the grid.
    busyPanel_->move(resultGrid_->x() + (resultGrid_->width() - busyPanel_->width()) / 2,
                     resultGrid_->y() + (resultGrid_->height() - busyPanel_->height()) / 2);
}

void ReconciliationWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    applyLayout();
}

}  // namespace tally::reportui
