// The report window's regions with their design sizes (twips) and the resize rule.
#include <QLabel>

#include "BusyPanel.h"
#include "PageNavigator.h"
#include "ReportBottomBar.h"
#include "ReportFonts.h"
#include "ReportStatusBar.h"
#include "ReportWindow.h"
#include "ResultGrid.h"
#include "ResultPager.h"
#include "SelectionPanel.h"
#include "Paging.h"
#include "Twips.h"

namespace tally::reportui {
namespace {

constexpr int kDesignWidth = 15240, kDesignHeight = 8700;
constexpr int kBannerHeight = 465, kPanelWidth = 4440, kStatusBarHeight = 315;
constexpr int kNavigatorTop = 45, kGridLeft = 30, kGridTop = 420, kGridMargin = 60;

}  // namespace

void ReportWindow::buildControls() {
    const auto& texts = report_->texts();
    setFont(windowFont(9));

    banner_ = new QWidget(this);
    paintAsPanel(banner_, "Banner");
    panelHeading_ = new QLabel(QString::fromStdString(texts.panelHeading), banner_);
    panelHeading_->setObjectName("PanelHeading");
    panelHeading_->setFont(windowFont(10.5, true));
    panelHeading_->adjustSize();
    panelHeading_->move(twipsX(90, this), (twipsY(kBannerHeight, this) - panelHeading_->height()) / 2);
    titleLabel_ = new QLabel(banner_);
    titleLabel_->setObjectName("TitleLabel");
    titleLabel_->setFont(windowFont(12, true));

    selectionPanel_ = new SelectionPanel(QString::fromStdString(texts.periodLabel), notifier(), this);
    selectionPanel_->setAutoFillBackground(true);
    QPalette panelPalette = selectionPanel_->palette();
    panelPalette.setColor(QPalette::Window, kPanelColour);
    selectionPanel_->setPalette(panelPalette);

    resultArea_ = new QWidget(this);
    resultArea_->setObjectName("ResultArea");
    navigator_ = new PageNavigator(resultArea_);
    navigator_->move(0, twipsY(kNavigatorTop, this));
    resultGrid_ = new ResultGrid(resultArea_);
    resultGrid_->move(twipsX(kGridLeft, this), twipsY(kGridTop, this));
    exportCaption_ = new QLabel("正在导出数据，请稍等......", resultArea_);
    exportCaption_->setObjectName("ExportCaption");
    exportCaption_->setFont(windowFont(10.5));
    exportCaption_->adjustSize();
    exportCaption_->move(twipsX(420, this), twipsY(90, this));
    exportCaption_->hide();
    busyPanel_ = new BusyPanel(resultArea_);

    bottomBar_ = new ReportBottomBar(this);
    exportButton_ = bottomBar_->exportButton();
    exitButton_ = bottomBar_->exitButton();
    progressBar_ = bottomBar_->progressBar();

    statusBar_ = new ReportStatusBar(this);
    pager_ = new ResultPager(resultGrid_, navigator_, this);
}

QSize ReportWindow::sizeHint() const { return {twipsX(kDesignWidth, this), twipsY(kDesignHeight, this)}; }

void ReportWindow::setTitle(const QString& text) {
    titleLabel_->setText(text);
    titleLabel_->adjustSize();
    applyLayout();
}

// Each step stands on its own: one that has no room (a window made very small or
// minimised) is skipped and the others still run.
void ReportWindow::applyLayout() {
    if (!resultGrid_) return;
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

    // 1. Result area.
    const int areaWidth = width - panelWidth;
    const int areaHeight = height - banner - barHeight - statusHeight;
    if (areaWidth > 0 && areaHeight > 0) resultArea_->setGeometry(panelWidth, banner, areaWidth, areaHeight);
    // 2. Page navigator, centred over the area.
    if (areaWidth > 0) navigator_->move((areaWidth - navigator_->width()) / 2, navigator_->y());
    // 3. Title, centred over the area.
    if (areaWidth > 0)
        titleLabel_->move((areaWidth - titleLabel_->width()) / 2 + panelWidth, (banner - titleLabel_->height()) / 2);
    // 4. Bottom bar under the area; 5. and 7., "退出" and the progress bar, follow
    //    its width (ReportBottomBar::resizeEvent).
    if (areaWidth > 0 && areaHeight > 0) bottomBar_->setGeometry(panelWidth, areaHeight + banner, areaWidth, barHeight);
    // 6. The department list follows the panel (SelectionPanel::resizeEvent).
    // 8. Result grid.
    const int gridWidth = areaWidth - resultGrid_->x() - twipsX(kGridMargin, this);
    const int gridHeight = areaHeight - resultGrid_->y() - twipsY(kGridMargin, this);
    if (gridWidth > 0 && gridHeight > 0) {
        resultGrid_->resize(gridWidth, gridHeight);
        // 9. Rows per page follow the grid's height at once.
        pager_->setPageSize(reports::pageSizeForHeight(gridHeight, resultGrid_->firstRowHeight()));
    }
    // 10. Busy panel centred over the grid.
    busyPanel_->move(resultGrid_->x() + (resultGrid_->width() - busyPanel_->width()) / 2,
                     resultGrid_->y() + (resultGrid_->height() - busyPanel_->height()) / 2);
}

void ReportWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    applyLayout();
}

}  // namespace tally::reportui
