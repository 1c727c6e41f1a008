#include "ExplainWindow.h"

#include <QLabel>
#include <QPushButton>

#include "PageNavigator.h"
#include "ReportFonts.h"
#include "ResultGrid.h"
#include "ResultPager.h"
#include "Twips.h"

namespace tally::reportui {
namespace {

// The report windows' banner and navigator, without a selection panel.
constexpr int kBannerHeight = 465, kNavigatorTop = 45, kGridTop = 420;

}  // namespace

ExplainWindow::ExplainWindow(const QString& subject, reports::explain::ExplanationList list, Notifier& notifier,
                             ExportCommand exportList, QWidget* parent)
    : ReportWindowFrame(parent),
      result_(std::make_shared<reports::explain::ExplanationResult>(std::move(list))),
      notifier_(notifier),
      exportList_(std::move(exportList)) {
    const QString caption = QString(kCaption) + " " + subject;
    setObjectName(kObjectName);
    setWindowTitle(caption);
    buildControls();
    resize(sizeHint());
    setTitle(caption);

    resultGrid_->setHeadings(reports::explain::explanationHeadings(result_->list()));
    pager_->setPageSize(resultGrid_->rowsPerPage());
    pager_->startRun();
    pager_->finishRun(result_);

    // A list has nothing to print: its sheet is the copy to keep.
    previewButton()->hide();
    connect(exportButton(), &QPushButton::clicked, this, &ExplainWindow::exportList);
    connect(exitButton(), &QPushButton::clicked, this, &ExplainWindow::exitWindow);
}

// The export's work reads the window's list: it ends before the list goes.
ExplainWindow::~ExplainWindow() { stopWork(); }

QString ExplainWindow::titleText() const { return titleLabel_->text(); }

void ExplainWindow::buildControls() {
    buildBanner({kBannerHeight, 0, kGridTop}, QString(), 10.5);
    const PagedResultArea area = buildPagedResultArea(kNavigatorTop);
    navigator_ = area.navigator;
    exportCaption_ = area.exportCaption;
    pager_ = area.pager;
    buildBars();
}

void ExplainWindow::placeOwnRegions(const Placement& placement) {
    if (placement.areaWidth > 0) {
        navigator_->move((placement.areaWidth - navigator_->width()) / 2, navigator_->y());
        titleLabel_->move(centredOverArea(titleLabel_, placement), (placement.banner - titleLabel_->height()) / 2);
    }
    // Rows per page follow the grid's size at once.
    if (placement.gridResized && pager_) pager_->setPageSize(resultGrid_->rowsPerPage());
}

void ExplainWindow::exportList() {
    if (busy()) return;
    if (exportList_) exportList_(*this);
}

void ExplainWindow::exitWindow() {
    // Inside the main window the frame around this window is what closes.
    QWidget* frame = parentWidget() && parentWidget()->inherits("QMdiSubWindow") ? parentWidget() : this;
    frame->close();
}

}  // namespace tally::reportui
