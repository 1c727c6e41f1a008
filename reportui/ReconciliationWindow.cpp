#include "ReconciliationWindow.h"

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "BackgroundRun.h"
#include "BusyPanel.h"
#include "DepartmentListLoader.h"
#include "GridFind.h"
#include "Notifier.h"
#include "ReconciliationGridRows.h"
#include "ReconciliationHeadings.h"
#include "ReconciliationPeriod.h"
#include "RememberedSelection.h"
#include "ResultGrid.h"

namespace tally::reportui {

namespace rec = reports::reconciliation;

ReconciliationWindow::ReconciliationWindow(WindowServices services, QWidget* parent)
    : ReportWindowFrame(parent), services_(std::move(services)) {
    setObjectName("frm票据核对表New");
    setWindowTitle(kCaption);
    buildControls();
    resize(sizeHint());

    fillPeriodBoxes();
    state_ = rec::openedReconciliation();
    showTable(state_.table);
    setTitle(kCaption);
    departments_ = fillDepartmentList(*departmentList_, services_.connection, notifier());
    loadInvoiceTypeLists();
    find_ = new GridFind(*this, notifier(), shownRows(*resultGrid_));

    connect(departmentList_, &QListWidget::itemSelectionChanged, this, &ReconciliationWindow::departmentClicked);
    // A click on the line already selected builds the title again, with the year shown now.
    connect(departmentList_, &QListWidget::itemClicked, this, &ReconciliationWindow::departmentClicked);
    connect(startButton_, &QPushButton::clicked, this, &ReconciliationWindow::startStatistics);
    connect(exportButton(), &QPushButton::clicked, this, &ReconciliationWindow::exportTable);
    connect(previewButton(), &QPushButton::clicked, this, &ReconciliationWindow::previewTable);
    connect(exitButton(), &QPushButton::clicked, this, &ReconciliationWindow::exitWindow);
    restoreReconciliationSelection(services_.selectionStore, departments_, *departmentList_, *yearBox_, *startMonthBox_,
                                   *endMonthBox_);
}

// The work reads the window's copies: it ends before they go.
ReconciliationWindow::~ReconciliationWindow() { stopWork(); }

void ReconciliationWindow::enableCommands(bool enabled) {
    ReportWindowFrame::enableCommands(enabled);
    startButton_->setEnabled(enabled);
    departmentList_->setEnabled(enabled);
}

void ReconciliationWindow::fillPeriodBoxes() {
    const QDate today = QDate::currentDate();
    yearBox_->addItems(reconciliationYearEntries(today.year()));
    yearBox_->setCurrentText(QString::number(today.year()));
    startMonthBox_->addItems(monthEntries());
    startMonthBox_->setCurrentText(monthEntry(1));
    endMonthBox_->addItems(monthEntries());
    endMonthBox_->setCurrentText(monthEntry(today.month()));
}

void ReconciliationWindow::loadInvoiceTypeLists() {
    if (!services_.connection) return;  // already told by the department list
    auto lists = rec::LoadInvoiceTypeLists(*services_.connection);
    // Without the lists every statement matches no ticket type: runs find no data.
    if (lists.ok()) typeLists_ = lists.value();
    else notifier().notice(lists.error().messageText());
}

std::optional<reports::DepartmentEntry> ReconciliationWindow::selectedDepartment() const {
    return selectedDepartmentOf(*departmentList_, departments_);
}

QString ReconciliationWindow::yearText() const { return yearBox_->currentText(); }
QString ReconciliationWindow::startMonthText() const { return startMonthBox_->currentText(); }
QString ReconciliationWindow::endMonthText() const { return endMonthBox_->currentText(); }
QString ReconciliationWindow::titleText() const { return titleLabel_->text(); }

std::string ReconciliationWindow::shownDepartmentText() const {
    if (tableSelection_) return tableSelection_->department.displayText();
    const auto department = selectedDepartment();
    return department ? department->displayText() : "";
}
std::string ReconciliationWindow::shownYear() const {
    return tableSelection_ ? tableSelection_->year : yearText().toStdString();
}
std::string ReconciliationWindow::shownStartMonth() const {
    return tableSelection_ ? tableSelection_->startMonth : startMonthText().toStdString();
}
std::string ReconciliationWindow::shownEndMonth() const {
    return tableSelection_ ? tableSelection_->endMonth : endMonthText().toStdString();
}

void ReconciliationWindow::departmentClicked() {
    const auto department = selectedDepartment();
    if (!department) return;
    // A table stays under the title of the department and year it was computed for.
    if (tableSelection_ && tableSelection_->department.displayText() != department->displayText()) {
        tableSelection_.reset();
        state_.table.removeDataRows();
        showTable(state_.table);
    }
    const std::string year = tableSelection_ ? tableSelection_->year : yearText().toStdString();
    setTitle(QString::fromStdString(rec::reconciliationTitle(year, *department)));
}

void ReconciliationWindow::showTable(const rec::ReconciliationTable& table) {
    resultGrid_->setHeadings(table.headings());
    resultGrid_->showRows(reconciliationGridRows(table));
}

void ReconciliationWindow::showGeneratingCaption(const rec::ReconciliationTable& table) {
    showTable(table);
    setBusyCaption(kGeneratingCaption);
}

void ReconciliationWindow::startStatistics() {
    if (busy()) return;  // a click queued while the last run went
    const auto department = selectedDepartment();
    if (auto refusal = rec::checkReconciliationSelection(department.has_value(), startMonthText().toStdString(),
                                                         endMonthText().toStdString())) {
        notifier().notice(refusal->error.messageText());
        if (refusal->focusPeriodEnd) endMonthBox_->setFocus();
        return;
    }
    data::Connection* connection = services_.connection;
    if (!connection) {
        notifier().notice(reports::runErrorText(0, reports::kNoConnection));
        return;
    }
    const rec::ReconciliationSelection selection{yearText().toStdString(), startMonthText().toStdString(),
                                                 endMonthText().toStdString(), *department};
    rememberReconciliationRun(services_.selectionStore, selection);

    state_.table.removeDataRows();
    showTable(state_.table);
    auto run = std::make_shared<rec::ReconciliationRun>();
    BackgroundRun* background = &backgroundRun();
    runInBackground(
        kExtractingCaption, connection,
        [run, connection, selection, typeLists = typeLists_, previous = state_, background, this] {
            *run = rec::RunReconciliation(*connection, selection, typeLists, previous,
                                          [background, this](const rec::ReconciliationTable& table) {
                                              // On screen before the month rows are read.
                                              background->postAndWait([this, table] { showGeneratingCaption(table); });
                                          });
        },
        [this, run, selection](bool cancelled) {
            // Cancelled: the last run's headings without rows, never part of the new table.
            if (cancelled) {
                showTable(state_.table);
                return;
            }
            // Whatever the run left, abandoned or not, is the window's table now.
            state_ = std::move(*run);
            showTable(state_.table);
            if (state_.end != rec::RunEnd::Refused) {
                tableSelection_ = selection;
                setTitle(QString::fromStdString(rec::reconciliationTitle(selection.year, selection.department)));
            }
            for (const auto& message : state_.reported) notifier().notice(message.messageText());
        });
}

void ReconciliationWindow::exportTable() {
    // Nothing to export until a run has put rows below the headings.
    if (busy() || state_.table.rowCount() <= rec::ReconciliationTable::kHeadingRows) return;
    if (services_.exportReconciliation) services_.exportReconciliation(*this);
}

void ReconciliationWindow::previewTable() {
    // Nothing to print until a run has put rows below the headings.
    if (busy() || state_.table.rowCount() <= rec::ReconciliationTable::kHeadingRows) return;
    if (services_.previewReconciliation) services_.previewReconciliation(*this);
}

void ReconciliationWindow::exitWindow() {
    // Inside the main window the frame around this window is what closes.
    QWidget* frame = parentWidget() && parentWidget()->inherits("QMdiSubWindow") ? parentWidget() : this;
    frame->close();
}

}  // namespace tally::reportui
