#pragma once
// What the report windows remember from one session to the next: per window the last
// department and period a run used, and per department the split percentages of its
// parking items. Kept as flat key/value pairs so that any settings file can hold them.
// Everything read back is checked; a value that fails is ignored as if never kept.
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Departments.h"
#include "FeeItems.h"

namespace tally::reports {

// Key -> value. Keys are ASCII letters, digits and "_", groups joined by "/"; codes from
// the database go into keys in hexadecimal, so that no code can reach another key.
using RememberedValues = std::map<std::string, std::string>;

// A department as remembered: its two codes, matched exactly when the list is loaded.
struct RememberedDepartment {
    std::string departmentCode;
    std::string officeCode;
};

// What a detail window remembers.
struct RememberedDetail {
    std::optional<RememberedDepartment> department;
    std::optional<std::string> fromKey;  // "yyyymmdd" of a real day
    std::optional<std::string> toKey;
};

// What the reconciliation window remembers.
struct RememberedReconciliation {
    std::optional<RememberedDepartment> department;
    std::optional<std::string> year;        // four digits
    std::optional<std::string> startMonth;  // "01" to "12"
    std::optional<std::string> endMonth;
};

// The values a detail run leaves behind, to be written over the kept ones. `window` is the
// report's kind ("parking", "vat-invoicing", "pre-invoicing": ASCII letters, digits, "-");
// the splits are kept for the department whatever the window.
RememberedValues detailRunValues(std::string_view window, const DepartmentEntry& department, const std::string& fromKey,
                                 const std::string& toKey, const SplitRatioRows& splits);
RememberedValues reconciliationRunValues(const DepartmentEntry& department, const std::string& year,
                                         const std::string& startMonth, const std::string& endMonth);

RememberedDetail recallDetail(const RememberedValues& values, std::string_view window);
RememberedReconciliation recallReconciliation(const RememberedValues& values);

// `rows` with the department's remembered percentages put into each row whose item has a
// valid pair kept (two numbers from 0 to 100 that add up to 100); other rows stay as they are.
SplitRatioRows withRememberedSplits(const RememberedValues& values, const DepartmentEntry& department,
                                    SplitRatioRows rows);

// Where the remembered department stands in `entries` (zero-based); nullopt when it is gone.
std::optional<std::size_t> positionOf(const std::vector<DepartmentEntry>& entries,
                                      const RememberedDepartment& department);

// "yyyymmdd" naming a day of the Gregorian calendar from year 1000.
bool isDayKey(std::string_view key);

}  // namespace tally::reports
