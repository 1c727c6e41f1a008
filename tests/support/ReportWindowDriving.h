#pragma once
// What a user does in a report window's selection before looking at a result.
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QListWidget>
#include <QPushButton>
#include <QString>
#include <QTest>

#include "ReconciliationWindow.h"
#include "ReportWindow.h"
#include "SelectionPanel.h"

namespace tally::testing {

// Waits until the work the window runs off its thread has ended and its result is drawn
// (a minute at most); false when it has not.
inline bool idle(const reportui::ReportWindowFrame& window) {
    return QTest::qWaitFor([&] { return !window.busy(); }, 60000);
}

// Picks the department in row `department` and the period, and extracts the fee items.
inline void extractFeeItems(reportui::ReportWindow& window, int department, QDate from, QDate to) {
    auto* panel = window.selectionPanel();
    panel->departmentList()->setCurrentRow(department);
    panel->startPicker()->setDate(from);
    panel->endPicker()->setDate(to);
    panel->extractButton()->click();
    idle(window);
}

// The same, then runs the report on the items found.
inline void runReport(reportui::ReportWindow& window, int department, QDate from, QDate to) {
    extractFeeItems(window, department, from, to);
    window.selectionPanel()->startButton()->click();
    idle(window);
}

// Picks the department in row `department`, the year and the months, and starts.
inline void runReconciliation(reportui::ReconciliationWindow& window, int department, const QString& year,
                              const QString& startMonth, const QString& endMonth) {
    window.departmentList()->setCurrentRow(department);
    window.yearBox()->setCurrentText(year);
    window.startMonthBox()->setCurrentText(startMonth);
    window.endMonthBox()->setCurrentText(endMonth);
    window.startButton()->click();
    idle(window);
}

}  // namespace tally::testing
