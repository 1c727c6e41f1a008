#include "ReportWindowFrame.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include "BackgroundRun.h"
#include "BusyPanel.h"
#include "Notifier.h"
#include "PageNavigator.h"
#include "ReportBottomBar.h"
#include "ReportFonts.h"
#include "ReportStatusBar.h"
#include "ResultGrid.h"
#include "ResultPager.h"
#include "Twips.h"

namespace tally::reportui {
namespace {

constexpr int kDesignWidth = 15240, kDesignHeight = 8700;
constexpr int kStatusBarHeight = 315;
constexpr int kHeadingLeft = 90, kGridLeft = 30, kGridMargin = 60;

}  // namespace

ReportWindowFrame::ReportWindowFrame(QWidget* parent) : QWidget(parent), run_(std::make_unique<BackgroundRun>()) {
    setFont(windowFont(9));
    connect(run_.get(), &BackgroundRun::workFailed, this,
            [this](const QString& what) { notifier().notice(("程序内部错误: " + what).toStdString()); });
}

ReportWindowFrame::~ReportWindowFrame() { stopWork(); }

void ReportWindowFrame::stopWork() {
    run_->stopAndWait();
    if (waitCursor_) QApplication::restoreOverrideCursor();
    waitCursor_ = false;
}

bool ReportWindowFrame::busy() const { return run_->running(); }

void ReportWindowFrame::cancelWork() { run_->cancel(); }

void ReportWindowFrame::setBusyCaption(const QString& caption) { busyPanel_->setCaption(caption); }

void ReportWindowFrame::enableCommands(bool enabled) {
    exportButton()->setEnabled(enabled);
    previewButton()->setEnabled(enabled);
}

bool ReportWindowFrame::runInBackground(const QString& caption, data::Connection* connection,
                                        std::function<void()> work, std::function<void(bool cancelled)> done) {
    if (run_->running()) return false;
    enableCommands(false);
    busyPanel_->setCaption(caption);
    busyPanel_->cancelButton()->setEnabled(true);
    busyPanel_->show();
    busyPanel_->raise();
    if (!waitCursor_) QApplication::setOverrideCursor(Qt::WaitCursor);
    waitCursor_ = true;
    return run_->start(connection, std::move(work), [this, done = std::move(done)](bool cancelled) {
        busyPanel_->hide();
        if (waitCursor_) QApplication::restoreOverrideCursor();
        waitCursor_ = false;
        enableCommands(true);
        if (done) done(cancelled);
        emit workFinished();
    });
}

QWidget* ReportWindowFrame::bottomBar() const { return bottomBar_; }
QPushButton* ReportWindowFrame::exportButton() const { return bottomBar_->exportButton(); }
QPushButton* ReportWindowFrame::previewButton() const { return bottomBar_->previewButton(); }
QPushButton* ReportWindowFrame::exitButton() const { return bottomBar_->exitButton(); }
QProgressBar* ReportWindowFrame::progressBar() const { return bottomBar_->progressBar(); }

QSize ReportWindowFrame::sizeHint() const { return {twipsX(kDesignWidth, this), twipsY(kDesignHeight, this)}; }

void ReportWindowFrame::buildBanner(const Design& design, const QString& panelHeading, double headingPointSize) {
    design_ = design;
    banner_ = new QWidget(this);
    paintAsPanel(banner_, "Banner");
    panelHeading_ = new QLabel(panelHeading, banner_);
    panelHeading_->setObjectName("PanelHeading");
    panelHeading_->setFont(windowFont(headingPointSize, true));
    panelHeading_->adjustSize();
    panelHeading_->move(twipsX(kHeadingLeft, this), (twipsY(design_.bannerHeight, this) - panelHeading_->height()) / 2);
    titleLabel_ = new QLabel(banner_);
    titleLabel_->setObjectName("TitleLabel");
    titleLabel_->setFont(windowFont(12, true));
}

void ReportWindowFrame::buildResultArea(const QString& objectName) {
    resultArea_ = new QWidget(this);
    resultArea_->setObjectName(objectName);
}

void ReportWindowFrame::buildResultGrid() {
    resultGrid_ = new ResultGrid(resultArea_);
    resultGrid_->move(twipsX(kGridLeft, this), twipsY(design_.gridTop, this));
}

ReportWindowFrame::PagedResultArea ReportWindowFrame::buildPagedResultArea(int navigatorTop) {
    buildResultArea("ResultArea");
    auto* navigator = new PageNavigator(resultArea_);
    navigator->move(0, twipsY(navigatorTop, this));
    buildResultGrid();
    auto* exportCaption = new QLabel("正在导出数据，请稍等......", resultArea_);
    exportCaption->setObjectName("ExportCaption");
    exportCaption->setFont(windowFont(10.5));
    exportCaption->adjustSize();
    exportCaption->move(twipsX(420, this), twipsY(90, this));
    exportCaption->hide();
    buildBusyPanel();
    return {navigator, exportCaption, new ResultPager(resultGrid_, navigator, this)};
}

void ReportWindowFrame::buildBusyPanel() {
    busyPanel_ = new BusyPanel(resultArea_);
    connect(busyPanel_, &BusyPanel::cancelRequested, this, [this] {
        busyPanel_->cancelButton()->setEnabled(false);  // one cancel is enough
        cancelWork();
    });
    // Another window's run has the connection: say so until the turn comes.
    connect(run_.get(), &BackgroundRun::waitingForConnection, this, [this] {
        waitingCaption_ = busyPanel_->caption();
        busyPanel_->setCaption(BusyPanel::kWaitingCaption);
    });
    connect(run_.get(), &BackgroundRun::connectionTaken, this, [this] { busyPanel_->setCaption(waitingCaption_); });
}

void ReportWindowFrame::buildBars() {
    bottomBar_ = new ReportBottomBar(this);
    statusBar_ = new ReportStatusBar(this);
}

void ReportWindowFrame::setTitle(const QString& text) {
    titleLabel_->setText(text);
    titleLabel_->adjustSize();
    applyLayout();
}

int ReportWindowFrame::centredOverArea(const QWidget* widget, const Placement& placement) const {
    return (placement.areaWidth - widget->width()) / 2 + placement.panelWidth;
}

void ReportWindowFrame::applyLayout() {
    if (!statusBar_) return;
    const int width = this->width();
    const int height = this->height();
    const int banner = twipsY(design_.bannerHeight, this);
    const int panelWidth = twipsX(design_.panelWidth, this);
    const int barHeight = twipsY(ReportBottomBar::kHeightTwips, this);
    const int statusHeight = twipsY(kStatusBarHeight, this);

    if (width > 0) banner_->setGeometry(0, 0, width, banner);
    if (width > 0 && height > statusHeight) statusBar_->setGeometry(0, height - statusHeight, width, statusHeight);

    // The result area right of the panel, between the banner and the bottom bar; the
    // bar under it ("退出" and the progress bar follow its width: ReportBottomBar::resizeEvent).
    const int areaWidth = width - panelWidth;
    const int areaHeight = height - banner - barHeight - statusHeight;
    if (areaWidth > 0 && areaHeight > 0) {
        resultArea_->setGeometry(panelWidth, banner, areaWidth, areaHeight);
        bottomBar_->setGeometry(panelWidth, areaHeight + banner, areaWidth, barHeight);
    }
    // The grid up to 60 from the area's right and bottom edges, the busy panel centred on it.
    const int gridWidth = areaWidth - resultGrid_->x() - twipsX(kGridMargin, this);
    const int gridHeight = areaHeight - resultGrid_->y() - twipsY(kGridMargin, this);
    const bool gridResized = gridWidth > 0 && gridHeight > 0;
    if (gridResized) resultGrid_->resize(gridWidth, gridHeight);
    busyPanel_->move(resultGrid_->x() + (resultGrid_->width() - busyPanel_->width()) / 2,
                     resultGrid_->y() + (resultGrid_->height() - busyPanel_->height()) / 2);

    placeOwnRegions({banner, panelWidth, areaWidth, areaHeight,
                     QRect(0, banner, panelWidth, height - banner - statusHeight), gridResized});
}

void ReportWindowFrame::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    applyLayout();
}

}  // namespace tally::reportui
