#pragma once
// The department list and the invoice-type list every report window loads when it opens.
#include <optional>
#include <string>
#include <vector>

#include "Connection.h"
#include "ReportError.h"

namespace tally::reports {

// One entry of the department list. The codes and the name are kept as data so
// that a name with "【" or a code with a blank is never parsed back out of the text.
struct DepartmentEntry {
    std::string departmentCode;  // 职能部门编号
    std::string officeCode;      // gyd_dh
    std::string officeName;      // gyd_name with every CR/LF pair removed

    // code, blank, name, "【", office code, "】"
    std::string displayText() const;
};

struct DepartmentList {
    std::vector<DepartmentEntry> entries;  // entries loaded before an error stay
    std::optional<ReportError> error;      // in the list loaders' form
};

// Active departments with their offices, shorter codes first, then in code order.
DepartmentList LoadDepartmentList(data::Connection& connection);

// Every department with its offices, closed ones too (终止日期 set), in the list's order:
// for tallyvane-report departments.
struct ListedDepartment {
    DepartmentEntry entry;
    bool closed = false;
};

struct ListedDepartments {
    std::vector<ListedDepartment> entries;
    std::optional<ReportError> error;  // in the list loaders' form
};

ListedDepartments LoadEveryDepartment(data::Connection& connection);

// Codes of the invoice types whose 定额 is 0, in code order, as the SQL list 'A','B'
// (quotes inside codes doubled); "" when there is none. An error is in the list loaders' form.
Outcome<std::string> LoadInvoiceTypeList(data::Connection& connection);

// Text with every CR/LF pair removed.
std::string withoutLineBreaks(std::string text);

// The department whose code is given (and office code, when not empty); nullopt when none.
std::optional<DepartmentEntry> findDepartment(const std::vector<DepartmentEntry>& entries,
                                              const std::string& departmentCode, const std::string& officeCode = "");

}  // namespace tally::reports
