#include "RememberedSelection.h"

#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QListWidget>

#include "ReconciliationSelection.h"
#include "SelectionMemory.h"
#include "SelectionPanel.h"
#include "SelectionStore.h"

namespace tally::reportui {
namespace {

std::string dayKey(const QDate& date) { return date.toString("yyyyMMdd").toStdString(); }

void selectDepartment(const std::optional<reports::RememberedDepartment>& kept,
                      const std::vector<reports::DepartmentEntry>& departments, QListWidget& list) {
    if (!kept) return;
    const auto position = reports::positionOf(departments, *kept);
    if (position && static_cast<int>(*position) < list.count()) list.setCurrentRow(static_cast<int>(*position));
}

// A picker is set only to a day it offers: one outside its range would be moved silently.
void setDay(const std::optional<std::string>& key, QDateEdit& picker) {
    if (!key) return;
    const QDate day = QDate::fromString(QString::fromStdString(*key), "yyyyMMdd");
    if (day.isValid() && day >= picker.minimumDate() && day <= picker.maximumDate()) picker.setDate(day);
}

// A box is set only to an entry it offers.
void setEntry(const std::optional<std::string>& text, QComboBox& box) {
    if (!text) return;
    const int index = box.findText(QString::fromStdString(*text));
    if (index >= 0) box.setCurrentIndex(index);
}

}  // namespace

void restoreDetailSelection(const SelectionStore* store, std::string_view window,
                            const std::vector<reports::DepartmentEntry>& departments, SelectionPanel& panel) {
    if (!store) return;
    const auto kept = reports::recallDetail(store->load(), window);
    setDay(kept.fromKey, *panel.startPicker());
    setDay(kept.toKey, *panel.endPicker());
    selectDepartment(kept.department, departments, *panel.departmentList());
}

reports::SplitRatioRows restoreSplits(const SelectionStore* store, const reports::DepartmentEntry& department,
                                      reports::SplitRatioRows rows) {
    if (!store) return rows;
    return reports::withRememberedSplits(store->load(), department, std::move(rows));
}

void rememberDetailRun(const SelectionStore* store, std::string_view window, const reports::DepartmentEntry& department,
                       const QDate& start, const QDate& end, const reports::SplitRatioRows& splits) {
    if (!store) return;
    store->save(reports::detailRunValues(window, department, dayKey(start), dayKey(end), splits));
}

void restoreReconciliationSelection(const SelectionStore* store,
                                    const std::vector<reports::DepartmentEntry>& departments, QListWidget& list,
                                    QComboBox& year, QComboBox& startMonth, QComboBox& endMonth) {
    if (!store) return;
    const auto kept = reports::recallReconciliation(store->load());
    setEntry(kept.year, year);
    setEntry(kept.startMonth, startMonth);
    setEntry(kept.endMonth, endMonth);
    // Last: selecting builds the title with the year now in its box.
    selectDepartment(kept.department, departments, list);
}

void rememberReconciliationRun(const SelectionStore* store,
                               const reports::reconciliation::ReconciliationSelection& selection) {
    if (!store) return;
    store->save(reports::reconciliationRunValues(selection.department, selection.year, selection.startMonth,
                                                 selection.endMonth));
}

}  // namespace tally::reportui
