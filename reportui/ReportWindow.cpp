#include "ReportWindow.h"

#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "BackgroundRun.h"
#include "BusyPanel.h"
#include "DepartmentListLoader.h"
#include "DetailReportFlow.h"
#include "GridFind.h"
#include "Notifier.h"
#include "PageNavigator.h"
#include "RememberedSelection.h"
#include "ResultGrid.h"
#include "ResultPager.h"
#include "SelectionPanel.h"
#include "SplitRatioGrid.h"

namespace tally::reportui {
namespace {

std::string dayKey(const QDate& date) { return date.toString("yyyyMMdd").toStdString(); }

}  // namespace

ReportWindow::ReportWindow(std::unique_ptr<reports::DetailReport> report, WindowServices services, QWidget* parent)
    : ReportWindowFrame(parent), report_(std::move(report)), services_(std::move(services)) {
    const auto& texts = report_->texts();
    setObjectName(QString::fromStdString(texts.objectName));
    setWindowTitle(QString::fromStdString(texts.caption));
    buildControls();
    resize(sizeHint());

    allowStart(false);
    showHeadings(report_->initialHeadings());
    setTitle(QString::fromStdString(texts.caption));
    loadDepartmentList();
    loadInvoiceTypeList();
    find_ = new GridFind(*this, notifier(), pagedRows(*pager_, *resultGrid_));

    connect(selectionPanel_->departmentList(), &QListWidget::itemSelectionChanged, this,
            &ReportWindow::departmentClicked);
    connect(selectionPanel_->extractButton(), &QPushButton::clicked, this, &ReportWindow::extractFeeItems);
    connect(selectionPanel_->startButton(), &QPushButton::clicked, this, &ReportWindow::startStatistics);
    connect(exportButton(), &QPushButton::clicked, this, &ReportWindow::exportResult);
    connect(previewButton(), &QPushButton::clicked, this, &ReportWindow::previewResult);
    connect(exitButton(), &QPushButton::clicked, this, &ReportWindow::exitWindow);
    restoreDetailSelection(services_.selectionStore, texts.kind, departments_, *selectionPanel_);
}

// The work reads the report engine and the window's copies: it ends before they go.
ReportWindow::~ReportWindow() { stopWork(); }

void ReportWindow::enableCommands(bool enabled) {
    ReportWindowFrame::enableCommands(enabled);
    selectionPanel_->extractButton()->setEnabled(enabled);
    selectionPanel_->startButton()->setEnabled(enabled && startAllowed_);
    selectionPanel_->departmentList()->setEnabled(enabled);
}

void ReportWindow::allowStart(bool allowed) {
    startAllowed_ = allowed;
    selectionPanel_->startButton()->setEnabled(allowed && !busy());
}

data::Connection* ReportWindow::connectionOrTell() const {
    if (!services_.connection) notifier().notice(reports::runErrorText(0, reports::kNoConnection));
    return services_.connection;
}

void ReportWindow::loadDepartmentList() {
    departments_ = fillDepartmentList(*selectionPanel_->departmentList(), services_.connection, notifier());
}

void ReportWindow::loadInvoiceTypeList() {
    if (!services_.connection) return;  // already told by the department list
    auto list = reports::LoadInvoiceTypeList(*services_.connection);
    invoiceTypeList_ = list.ok() ? list.value() : std::string();
    if (!list.ok()) notifier().notice(list.error().messageText());
}

std::optional<reports::DepartmentEntry> ReportWindow::selectedDepartment() const {
    return selectedDepartmentOf(*selectionPanel_->departmentList(), departments_);
}

QDate ReportWindow::startDate() const { return selectionPanel_->startPicker()->date(); }
QDate ReportWindow::endDate() const { return selectionPanel_->endPicker()->date(); }
QString ReportWindow::titleText() const { return titleLabel_->text(); }
std::shared_ptr<const reports::ReportResult> ReportWindow::result() const { return pager_->result(); }

std::string ReportWindow::resultDepartmentText() const {
    if (resultSelection_) return resultSelection_->department.displayText();
    const auto department = selectedDepartment();
    return department ? department->displayText() : "";
}

void ReportWindow::departmentClicked() {
    const auto department = selectedDepartment();
    if (!department) return;
    // Items, split and rows of one department never stand under another's title.
    if (captured_ && captured_->displayText() != department->displayText()) dropExtraction();
    setTitle(QString::fromStdString(report_->titleFor(*department)));
}

void ReportWindow::dropExtraction() {
    captured_.reset();
    feeItems_.clear();
    selectionPanel_->splitGrid()->setRows({});
    allowStart(false);
    showHeadings(report_->initialHeadings());
}

void ReportWindow::showHeadings(const reports::HeadingLayout& headings) {
    resultGrid_->setHeadings(headings);
    fitPageToGrid();  // wider columns may bring the horizontal scroll bar
    // New columns no longer fit the old rows: the old result goes with them.
    pager_->finishRun(nullptr);
    resultSelection_.reset();
}

void ReportWindow::fitPageToGrid() { pager_->setPageSize(resultGrid_->rowsPerPage()); }

reports::ReportRequest ReportWindow::requestNow(const reports::DepartmentEntry& department) const {
    return {department, dayKey(startDate()), dayKey(endDate()), invoiceTypeList_};
}

void ReportWindow::extractFeeItems() {
    if (busy()) return;  // a click queued while the last command ran
    const auto selected = selectedDepartment();
    if (auto refusal = reports::CheckDetailSelection(selected.has_value(), dayKey(startDate()), dayKey(endDate()))) {
        notifier().notice(refusal->error.messageText());
        if (refusal->focusPeriodEnd) selectionPanel_->endPicker()->setFocus();
        return;
    }
    const auto previous = captured_;
    captured_ = *selected;
    data::Connection* connection = connectionOrTell();
    if (!connection) return;

    // The work gets copies: the window may change (or go) while it runs.
    auto extraction = std::make_shared<reports::FeeItemExtraction>();
    const reports::DetailReport* report = report_.get();
    runInBackground(
        QString::fromStdString(report_->texts().extractBusy), connection,
        [extraction, connection, report, request = requestNow(*captured_)] {
            *extraction = reports::ExtractDetailFeeItems(*connection, *report, request);
        },
        [this, extraction, previous](bool cancelled) {
            // A cancelled extraction leaves the window as it was, its department included.
            if (cancelled) {
                captured_ = previous;
                return;
            }
            feeItems_ = extraction->items;
            // The department's split as its last run left it, headings included.
            if (extraction->splits && services_.selectionStore) {
                extraction->splits = restoreSplits(services_.selectionStore, *captured_, *extraction->splits);
                if (extraction->headings)
                    extraction->headings = report_->layoutHeadings(feeItems_, *extraction->splits);
            }
            // After an error the grids are left as they were.
            if (extraction->splits) selectionPanel_->splitGrid()->setRows(*extraction->splits);
            if (extraction->headings) showHeadings(*extraction->headings);
            if (extraction->canRun()) allowStart(true);
            for (const auto& message : extraction->messages(*report_)) notifier().notice(message.messageText());
        });
}

void ReportWindow::startStatistics() {
    if (busy() || feeItems_.empty() || !captured_) return;
    // Refused percentages leave everything as it was, 开始统计 included, to be corrected.
    const auto splits = selectionPanel_->splitGrid()->percentagesForRun();
    if (!splits) return;
    allowStart(false);
    pager_->startRun();
    data::Connection* connection = connectionOrTell();
    if (!connection) return;

    auto run = std::make_shared<reports::DetailRun>();
    const reports::DetailReport* report = report_.get();
    const ResultSelection selection{*captured_, startDate(), endDate(), feeItems_};
    rememberDetailRun(services_.selectionStore, report_->texts().kind, *captured_, startDate(), endDate(), *splits);
    runInBackground(
        QString::fromStdString(report_->texts().runBusy), connection,
        [run, connection, report, request = requestNow(*captured_), items = feeItems_, splits = *splits] {
            *run = reports::RunDetailStatistics(*connection, *report, request, items, splits);
        },
        [this, run, selection](bool cancelled) {
            // A cancelled run shows no rows, never part of them; 开始统计 can run again.
            if (cancelled) {
                pager_->finishRun(nullptr);
                resultSelection_.reset();
                allowStart(true);
                return;
            }
            if (run->headings) showHeadings(*run->headings);
            if (pager_->finishRun(run->result)) {
                resultSelection_ = selection;
                resultSelection_->splits = run->splits.value_or(reports::SplitRatioRows{});
            } else {
                resultSelection_.reset();
            }
            if (run->error) notifier().notice(run->error->messageText());
        });
}

void ReportWindow::exportResult() {
    // Nothing to export until the grid shows rows of a run, nor while a command runs.
    if (busy() || resultGrid_->dataRowCount() == 0 || !pager_->hasRows()) return;
    if (services_.exportDetail) services_.exportDetail(*this);
}

void ReportWindow::previewResult() {
    // Nothing to print until the grid shows rows of a run, nor while a command runs.
    if (busy() || resultGrid_->dataRowCount() == 0 || !pager_->hasRows()) return;
    if (services_.previewDetail) services_.previewDetail(*this);
}

void ReportWindow::exitWindow() {
    // Inside the main window the frame around this window is what closes.
    QWidget* frame = parentWidget() && parentWidget()->inherits("QMdiSubWindow") ? parentWidget() : this;
    frame->close();
}

}  // namespace tally::reportui
