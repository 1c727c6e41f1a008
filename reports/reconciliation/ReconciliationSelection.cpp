#include "ReconciliationSelection.h"

namespace tally::reports::reconciliation {
namespace {

int monthValue(std::string_view text) {
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
        if (value > 9999) break;  // no month; keeps a stray text from overflowing
    }
    return value;
}

}  // namespace

int ReconciliationSelection::startMonthValue() const { return monthValue(startMonth); }
int ReconciliationSelection::endMonthValue() const { return monthValue(endMonth); }

std::string ReconciliationSelection::monthKey(int month) const {
    std::string digits = std::to_string(month);
    return year + (digits.size() < 2 ? "0" + digits : digits);
}

std::vector<std::string> ReconciliationSelection::monthKeys() const {
    std::vector<std::string> keys;
    for (int m = startMonthValue(); m <= endMonthValue(); ++m) keys.push_back(monthKey(m));
    return keys;
}

std::optional<SelectionRefusal> checkReconciliationSelection(bool departmentSelected, std::string_view startMonth,
                                                             std::string_view endMonth) {
    if (!departmentSelected) return SelectionRefusal{ReportError::refused(kNoDepartmentSelected), false};
    // The boxes hold two-digit texts, so comparing texts compares months.
    if (endMonth < startMonth) return SelectionRefusal{ReportError::refused(kEndMonthBeforeStart), true};
    return std::nullopt;
}

std::string reconciliationTitle(std::string_view year, const DepartmentEntry& department) {
    return std::string(year) + "年度" + "【" + department.officeName + "】票据核对表";
}

}  // namespace tally::reports::reconciliation
