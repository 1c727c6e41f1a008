#pragma once
// What every report's commands refuse before touching the database.
#include "ReportError.h"

namespace tally::reports {

inline constexpr const char* kNoDepartmentSelected = "请先选择统计部门!";

// A selection a command refuses, and whether the window then puts the focus on the
// control that ends the period (the end date or the end month).
struct SelectionRefusal {
    ReportError error;  // a refused selection carrying the message
    bool focusPeriodEnd = false;
};

}  // namespace tally::reports
