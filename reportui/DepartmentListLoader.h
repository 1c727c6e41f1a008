#pragma once
// The department list every report window shows: one line per active department
// ("code name【office】"), filled from the window's connection when the window opens.
// The entries stay as data beside the list, so a selection is never parsed back
// out of its text.
#include <optional>
#include <vector>

#include "Departments.h"

class QListWidget;

namespace tally {
class Notifier;
}  // namespace tally

namespace tally::reportui {

// Fills `view` and returns its entries in list order; no line is left selected. A
// missing connection (null) or a failing query is told to the user, and the lines read
// before the failure stay.
std::vector<reports::DepartmentEntry> fillDepartmentList(QListWidget& view, data::Connection* connection,
                                                         Notifier& notifier);

// The entry behind the selected line of a list filled with `entries`; none when no
// line is selected.
std::optional<reports::DepartmentEntry> selectedDepartmentOf(const QListWidget& view,
                                                             const std::vector<reports::DepartmentEntry>& entries);

}  // namespace tally::reportui
