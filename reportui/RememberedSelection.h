#pragma once
// The report windows' side of what is remembered between sessions: putting the kept
// department, period and split back into the controls when a window opens or a
// department's items are extracted, and keeping what a run used. A null store
// remembers nothing; anything kept that no longer fits (a department gone from the
// list, a year not offered, an invalid percentage) is left out without a word.
#include <string>
#include <string_view>
#include <vector>

#include "Departments.h"
#include "FeeItems.h"

class QComboBox;
class QDate;
class QListWidget;

namespace tally::reports::reconciliation {
struct ReconciliationSelection;
}  // namespace tally::reports::reconciliation

namespace tally::reportui {

class SelectionPanel;
class SelectionStore;

// A detail window ("parking", ...): selects the kept department and sets the pickers.
void restoreDetailSelection(const SelectionStore* store, std::string_view window,
                            const std::vector<reports::DepartmentEntry>& departments, SelectionPanel& panel);
// The split rows of a new extraction with the department's kept percentages put in.
reports::SplitRatioRows restoreSplits(const SelectionStore* store, const reports::DepartmentEntry& department,
                                      reports::SplitRatioRows rows);
// Keeps what a detail run uses. A failed write is ignored: the run goes on.
void rememberDetailRun(const SelectionStore* store, std::string_view window, const reports::DepartmentEntry& department,
                       const QDate& start, const QDate& end, const reports::SplitRatioRows& splits);

// The reconciliation window: sets the year and month boxes, then selects the department.
void restoreReconciliationSelection(const SelectionStore* store,
                                    const std::vector<reports::DepartmentEntry>& departments, QListWidget& list,
                                    QComboBox& year, QComboBox& startMonth, QComboBox& endMonth);
void rememberReconciliationRun(const SelectionStore* store,
                               const reports::reconciliation::ReconciliationSelection& selection);

}  // namespace tally::reportui
