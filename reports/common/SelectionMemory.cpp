#include "SelectionMemory.h"

namespace tally::reports {
namespace {

constexpr std::string_view kReconciliation = "reconciliation";

std::string hex(std::string_view text) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : text) {
        out += kDigits[c >> 4];
        out += kDigits[c & 15];
    }
    return out;
}

std::string key(std::string_view group, std::string_view name) {
    std::string k(group);
    k += '/';
    k += name;
    return k;
}

// "d" and "i" keep a group from being empty when a code is.
std::string splitGroup(const DepartmentEntry& department) {
    return "splits/d" + hex(department.departmentCode) + "_" + hex(department.officeCode);
}
std::string splitKey(const DepartmentEntry& department, const std::string& itemCode, std::string_view side) {
    return key(splitGroup(department) + "/i" + hex(itemCode), side);
}

std::optional<std::string> valueOf(const RememberedValues& values, const std::string& k) {
    const auto found = values.find(k);
    if (found == values.end()) return std::nullopt;
    return found->second;
}

bool allDigits(std::string_view text) {
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return !text.empty();
}

int number(std::string_view digits) {
    int n = 0;
    for (char c : digits) n = n * 10 + (c - '0');
    return n;
}

std::optional<std::string> checked(std::optional<std::string> value, bool (*valid)(std::string_view)) {
    if (value && !valid(*value)) return std::nullopt;
    return value;
}

bool isYear(std::string_view text) { return text.size() == 4 && allDigits(text); }
bool isMonth(std::string_view text) {
    return text.size() == 2 && allDigits(text) && number(text) >= 1 && number(text) <= 12;
}

// A department is kept only with both codes: half of one names no list entry.
std::optional<RememberedDepartment> departmentOf(const RememberedValues& values, std::string_view group) {
    auto code = valueOf(values, key(group, "department_code"));
    auto office = valueOf(values, key(group, "office_code"));
    if (!code || !office) return std::nullopt;
    return RememberedDepartment{std::move(*code), std::move(*office)};
}

void putDepartment(RememberedValues& values, std::string_view group, const DepartmentEntry& department) {
    values[key(group, "department_code")] = department.departmentCode;
    values[key(group, "office_code")] = department.officeCode;
}

}  // namespace

bool isDayKey(std::string_view text) {
    if (text.size() != 8 || !allDigits(text)) return false;
    const int year = number(text.substr(0, 4)), month = number(text.substr(4, 2)), day = number(text.substr(6, 2));
    if (year < 1000 || month < 1 || month > 12 || day < 1) return false;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

RememberedValues detailRunValues(std::string_view window, const DepartmentEntry& department, const std::string& fromKey,
                                 const std::string& toKey, const SplitRatioRows& splits) {
    RememberedValues values;
    putDepartment(values, window, department);
    values[key(window, "from")] = fromKey;
    values[key(window, "to")] = toKey;
    for (const auto& row : splits) {
        values[splitKey(department, row.code, "developer")] = row.developerText;
        values[splitKey(department, row.code, "property")] = row.propertyText;
    }
    return values;
}

RememberedValues reconciliationRunValues(const DepartmentEntry& department, const std::string& year,
                                         const std::string& startMonth, const std::string& endMonth) {
    RememberedValues values;
    putDepartment(values, kReconciliation, department);
    values[key(kReconciliation, "year")] = year;
    values[key(kReconciliation, "start_month")] = startMonth;
    values[key(kReconciliation, "end_month")] = endMonth;
    return values;
}

RememberedDetail recallDetail(const RememberedValues& values, std::string_view window) {
    RememberedDetail detail;
    detail.department = departmentOf(values, window);
    detail.fromKey = checked(valueOf(values, key(window, "from")), isDayKey);
    detail.toKey = checked(valueOf(values, key(window, "to")), isDayKey);
    return detail;
}

RememberedReconciliation recallReconciliation(const RememberedValues& values) {
    RememberedReconciliation kept;
    kept.department = departmentOf(values, kReconciliation);
    kept.year = checked(valueOf(values, key(kReconciliation, "year")), isYear);
    kept.startMonth = checked(valueOf(values, key(kReconciliation, "start_month")), isMonth);
    kept.endMonth = checked(valueOf(values, key(kReconciliation, "end_month")), isMonth);
    return kept;
}

SplitRatioRows withRememberedSplits(const RememberedValues& values, const DepartmentEntry& department,
                                    SplitRatioRows rows) {
    for (auto& row : rows) {
        const auto developer = valueOf(values, splitKey(department, row.code, "developer"));
        const auto property = valueOf(values, splitKey(department, row.code, "property"));
        if (!developer || !property) continue;
        // The same checks as 开始统计 makes: a pair it would refuse is never put back.
        if (!plainPercentage(*developer) || !plainPercentage(*property)) continue;
        if (!splitAddsUpTo100(*developer, *property)) continue;
        row.developerText = *developer;
        row.propertyText = *property;
    }
    return rows;
}

std::optional<std::size_t> positionOf(const std::vector<DepartmentEntry>& entries,
                                      const RememberedDepartment& department) {
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].departmentCode == department.departmentCode && entries[i].officeCode == department.officeCode)
            return i;
    return std::nullopt;
}

}  // namespace tally::reports
