#include "ReportWindow.h"

#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "BusyPanel.h"
#include "DbError.h"
#include "DepartmentListLoader.h"
#include "Departments.h"
#include "PageNavigator.h"
#include "ResultGrid.h"
#include "ResultPager.h"
#include "SelectionPanel.h"
#include "SharedConnection.h"
#include "SplitRatioGrid.h"
#include "UserMessage.h"

namespace tally::reportui {
namespace {

const char kNoRunData[] = "无满足统计条件的数据，请重新设置统计条件！";

std::string dayKey(const QDate& date) { return date.toString("yyyyMMdd").toStdString(); }

}  // namespace

ReportWindow::ReportWindow(std::unique_ptr<reports::DetailReport> report, QWidget* parent)
    : QWidget(parent), report_(std::move(report)) {
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
    connect(exportButton_, &QPushButton::clicked, this, &ReportWindow::exportResult);
    connect(exitButton_, &QPushButton::clicked, this, &ReportWindow::exitWindow);
}

ReportWindow::~ReportWindow() = default;

data::Connection* ReportWindow::connectionOrTell() const {
    data::Connection* connection = data::SharedConnection();
    if (!connection) tellSystemNotice(data::runErrorText(0, kNoConnection));
    return connection;
}

void ReportWindow::loadDepartmentList() { departments_ = fillDepartmentList(*selectionPanel_->departmentList()); }

void ReportWindow::loadInvoiceTypeList() {
    data::Connection* connection = data::SharedConnection();
    if (!connection) return;  // already told by the department list
    try {
        invoiceTypeList_ = reports::LoadInvoiceTypeList(*connection);
    } catch (const data::DbError& e) {
        invoiceTypeList_.clear();
        tellSystemNotice(data::listErrorText(e.number(), e.description()));
    }
}

std::optional<reports::DepartmentEntry> ReportWindow::selectedDepartment() const {
    return selectedDepartmentOf(*selectionPanel_->departmentList(), departments_);
}

QDate ReportWindow::startDate() const { return selectionPanel_->startPicker()->date(); }
QDate ReportWindow::endDate() const { return selectionPanel_->endPicker()->date(); }
QString ReportWindow::titleText() const { return titleLabel_->text(); }
std::shared_ptr<const reports::ReportResult> ReportWindow::result() const { return pager_->result(); }

void ReportWindow::departmentClicked() {
    if (auto department = selectedDepartment()) setTitle(QString::fromStdString(report_->titleFor(*department)));
}

void ReportWindow::showHeadings(const reports::HeadingLayout& headings) {
    resultGrid_->setHeadings(headings);
    // New columns no longer fit the old rows: the old result goes with them.
    pager_->finishRun(nullptr);
}

reports::ReportRequest ReportWindow::requestNow(const reports::DepartmentEntry& department) const {
    return {department, dayKey(startDate()), dayKey(endDate()), invoiceTypeList_};
}

void ReportWindow::extractFeeItems() {
    const auto selected = selectedDepartment();
    if (!selected) {
        tellSystemNotice("请先选择统计部门!");
        return;
    }
    if (endDate() < startDate()) {
        tellSystemNotice("截至日期不能小于开始日期!");
        selectionPanel_->endPicker()->setFocus();
        return;
    }
    captured_ = *selected;
    data::Connection* connection = connectionOrTell();
    if (!connection) return;

    reports::Extraction extraction;
    {
        BusyIndication busy(busyPanel_, QString::fromStdString(report_->texts().extractBusy));
        extraction = report_->extractFeeItems(*connection, requestNow(*captured_));
    }
    feeItems_ = std::move(extraction.items);
    if (extraction.error) {
        // The items read before the error stay; the grids are left as they were.
        tellSystemNotice(extraction.error->messageText());
    } else {
        selectionPanel_->splitGrid()->setRows(reports::defaultSplitRows(feeItems_));
        if (!feeItems_.empty())
            showHeadings(report_->layoutHeadings(feeItems_, selectionPanel_->splitGrid()->rows()));
    }
    if (!feeItems_.empty())
        selectionPanel_->startButton()->setEnabled(true);
    else
        tellSystemNotice(report_->texts().noFeeItems);
}

void ReportWindow::startStatistics() {
    if (feeItems_.empty() || !captured_) return;
    const reports::SplitRatioRows splits = selectionPanel_->splitGrid()->rows();
    if (report_->layoutHeadingsBeforeRun()) showHeadings(report_->layoutHeadings(feeItems_, splits));
    selectionPanel_->startButton()->setEnabled(false);
    pager_->startRun();
    data::Connection* connection = connectionOrTell();
    if (!connection) return;

    std::optional<reports::Outcome<std::shared_ptr<const reports::ReportResult>>> outcome;
    {
        BusyIndication busy(busyPanel_, QString::fromStdString(report_->texts().runBusy));
        outcome.emplace(report_->run(*connection, requestNow(*captured_), feeItems_, splits));
    }
    if (!outcome->ok()) {
        pager_->finishRun(nullptr);
        tellSystemNotice(outcome->error().messageText());
        return;
    }
    if (!pager_->finishRun(outcome->value())) tellSystemNotice(kNoRunData);
}

void ReportWindow::exportResult() {
    // Nothing to export until the grid shows rows of a run.
    if (resultGrid_->dataRowCount() == 0 || !pager_->hasRows()) return;
    if (exportHook_) exportHook_(*this);
}

void ReportWindow::exitWindow() {
    // Inside the main window the frame around this window is what closes.
    QWidget* frame = parentWidget() && parentWidget()->inherits("QMdiSubWindow") ? parentWidget() : this;
    frame->close();
}

}  // namespace tally::reportui
