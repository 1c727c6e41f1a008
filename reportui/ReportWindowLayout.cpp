// The report window's regions with their design sizes (twips) and the resize rule.
#include <QLabel>

#include "BusyPanel.h"
#include "PageNavigator.h"
#include "ReportBottomBar.h"
#include "ReportFonts.h"
#include "ReportWindow.h"
#include "ResultGrid.h"
#include "ResultPager.h"
#include "SelectionPanel.h"
#include "Twips.h"

namespace tally::reportui {
namespace {

constexpr int kBannerHeight = 465, kPanelWidth = 4440;
constexpr int kNavigatorTop = 45, kGridTop = 420;

}  // namespace

void ReportWindow::buildControls() {
    const auto& texts = report_->texts();
    buildBanner({kBannerHeight, kPanelWidth, kGridTop}, QString::fromStdString(texts.panelHeading), 10.5);

    selectionPanel_ = new SelectionPanel(QString::fromStdString(texts.periodLabel), notifier(), this);
    selectionPanel_->setAutoFillBackground(true);
    QPalette panelPalette = selectionPanel_->palette();
    panelPalette.setColor(QPalette::Window, kPanelColour);
    selectionPanel_->setPalette(panelPalette);

    const PagedResultArea area = buildPagedResultArea(kNavigatorTop);
    navigator_ = area.navigator;
    exportCaption_ = area.exportCaption;
    pager_ = area.pager;

    buildBars();
}

// The frame has placed the banner, the result area with the grid and the busy panel,
// the bottom bar (whose buttons and progress bar follow its width) and the status bar.
void ReportWindow::placeOwnRegions(const Placement& placement) {
    if (!placement.panel.isEmpty()) selectionPanel_->setGeometry(placement.panel);
    // The department list follows the panel (SelectionPanel::resizeEvent). The page
    // navigator and the title are centred over the result area.
    if (placement.areaWidth > 0) {
        navigator_->move((placement.areaWidth - navigator_->width()) / 2, navigator_->y());
        titleLabel_->move(centredOverArea(titleLabel_, placement), (placement.banner - titleLabel_->height()) / 2);
    }
    // Rows per page follow the grid's size at once.
    if (placement.gridResized) fitPageToGrid();
}

}  // namespace tally::reportui
