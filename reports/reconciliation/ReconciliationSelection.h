#pragma once
// What one reconciliation run is asked for, the checks the start command makes
// before touching the database, and the window title.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Departments.h"
#include "ReportError.h"
#include "SelectionRefusal.h"

namespace tally::reports::reconciliation {

inline constexpr const char* kEndMonthBeforeStart = "截至月份不能小于开始月份,请重新选择!";
inline constexpr const char* kNoReconciliationData = "没有满足条件的开票数据,请重新设置条件!";

struct ReconciliationSelection {
    std::string year;        // four digits, "2024"
    std::string startMonth;  // two digits as the month boxes show them, "01" to "12"
    std::string endMonth;
    DepartmentEntry department;

    // The month texts as numbers (0 when a text holds no digits).
    int startMonthValue() const;
    int endMonthValue() const;
    // Year followed by the month as two digits: "202403".
    std::string monthKey(int month) const;
    // The keys of every month from the start month to the end month, ascending.
    std::vector<std::string> monthKeys() const;
};

// The checks in the order the start command makes them: a department must be
// selected (whatever the period), then the end month's text may not sort before
// the start month's text.
std::optional<SelectionRefusal> checkReconciliationSelection(bool departmentSelected, std::string_view startMonth,
                                                             std::string_view endMonth);

// "2024年度【name】票据核对表": the title a department click gives the window.
std::string reconciliationTitle(std::string_view year, const DepartmentEntry& department);

}  // namespace tally::reports::reconciliation
