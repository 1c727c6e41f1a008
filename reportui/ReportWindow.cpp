#include "ReportWindow.h"

#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "BusyPanel.h"
#include "DepartmentListLoader.h"
#include "DetailReportFlow.h"
#include "Notifier.h"
#include "PageNavigator.h"
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

    selectionPanel_->startButton()->setEnabled(false);
    showHeadings(report_->initialHeadings());
    setTitle(QString::fromStdString(texts.caption));
    loadDepartmentList();
    loadInvoiceTypeList();

    connect(selectionPanel_->departmentList(), &QListWidget::itemSelectionChanged, this,
            &ReportWindow::departmentClicked);
    connect(selectionPanel_->extractButton(), &QPushButton::clicked, this, &ReportWindow::extractFeeItems);
    connect(selectionPanel_->startButton(), &QPushButton::clicked, this, &ReportWindow::startStatistics);
    connect(exportButton(), &QPushButton::clicked, this, &ReportWindow::exportResult);
    connect(previewButton(), &QPushButton::clicked, this, &ReportWindow::previewResult);
    connect(exitButton(), &QPushButton::clicked, this, &ReportWindow::exitWindow);
}

ReportWindow::~ReportWindow() = default;

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
    selectionPanel_->startButton()->setEnabled(false);
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
    const auto selected = selectedDepartment();
    if (auto refusal = reports::CheckDetailSelection(selected.has_value(), dayKey(startDate()), dayKey(endDate()))) {
        notifier().notice(refusal->error.messageText());
        if (refusal->focusPeriodEnd) selectionPanel_->endPicker()->setFocus();
        return;
    }
    captured_ = *selected;
    data::Connection* connection = connectionOrTell();
    if (!connection) return;

    reports::FeeItemExtraction extraction;
    {
        BusyIndication busy(busyPanel_, QString::fromStdString(report_->texts().extractBusy));
        extraction = reports::ExtractDetailFeeItems(*connection, *report_, requestNow(*captured_));
    }
    feeItems_ = extraction.items;
    // After an error the grids are left as they were.
    if (extraction.splits) selectionPanel_->splitGrid()->setRows(*extraction.splits);
    if (extraction.headings) showHeadings(*extraction.headings);
    if (extraction.canRun()) selectionPanel_->startButton()->setEnabled(true);
    for (const auto& message : extraction.messages(*report_)) notifier().notice(message.messageText());
}

void ReportWindow::startStatistics() {
    if (feeItems_.empty() || !captured_) return;
    // Refused percentages leave everything as it was, 开始统计 included, to be corrected.
    const auto splits = selectionPanel_->splitGrid()->percentagesForRun();
    if (!splits) return;
    selectionPanel_->startButton()->setEnabled(false);
    pager_->startRun();
    data::Connection* connection = connectionOrTell();
    if (!connection) return;

    const ResultSelection selection{*captured_, startDate(), endDate()};
    reports::DetailRun run;
    {
        BusyIndication busy(busyPanel_, QString::fromStdString(report_->texts().runBusy));
        run = reports::RunDetailStatistics(*connection, *report_, requestNow(*captured_), feeItems_, *splits);
    }
    if (run.headings) showHeadings(*run.headings);
    if (pager_->finishRun(run.result)) resultSelection_ = selection;
    else resultSelection_.reset();
    if (run.error) notifier().notice(run.error->messageText());
}

void ReportWindow::exportResult() {
    // Nothing to export until the grid shows rows of a run.
    if (resultGrid_->dataRowCount() == 0 || !pager_->hasRows()) return;
    if (services_.exportDetail) services_.exportDetail(*this);
}

void ReportWindow::previewResult() {
    // Nothing to print until the grid shows rows of a run.
    if (resultGrid_->dataRowCount() == 0 || !pager_->hasRows()) return;
    if (services_.previewDetail) services_.previewDetail(*this);
}

void ReportWindow::exitWindow() {
    // Inside the main window the frame around this window is what closes.
    QWidget* frame = parentWidget() && parentWidget()->inherits("QMdiSubWindow") ? parentWidget() : this;
    frame->close();
}

}  // namespace tally::reportui
