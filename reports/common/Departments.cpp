#include "Departments.h"

#include "SqlText.h"

namespace tally::reports {

std::string DepartmentEntry::displayText() const {
    return departmentCode + " " + officeName + "【" + officeCode + "】";
}

std::string withoutLineBreaks(std::string text) {
    for (auto at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) text.erase(at, 2);
    return text;
}

DepartmentList LoadDepartmentList(data::Connection& connection) {
    DepartmentList list;
    std::string sql = std::string("Select 职能部门编号,职能部门名称, gyd_dh, gyd_name ") + " From 设置管理处 " +
                      " Inner join 职能部门new on 对应部门代号=职能部门编号" + " Where 职能部门new.终止日期 Is Null " +
                      " Order by len(职能部门编号),职能部门编号";
    try {
        for (auto rs = connection.open(sql); !rs->eof(); rs->moveNext())
            list.entries.push_back({rs->field("职能部门编号").text(), rs->field("gyd_dh").text(),
                                    withoutLineBreaks(rs->field("gyd_name").text())});
    } catch (const data::DbError& e) {
        list.error = ReportError::fromDb(e, ReportError::Form::List);
    }
    return list;
}

ListedDepartments LoadEveryDepartment(data::Connection& connection) {
    ListedDepartments list;
    const std::string sql = std::string("Select 职能部门编号, gyd_dh, gyd_name, 职能部门new.终止日期 ") +
                            " From 设置管理处 Inner join 职能部门new on 对应部门代号=职能部门编号" +
                            " Order by len(职能部门编号),职能部门编号, gyd_dh";
    try {
        for (auto rs = connection.open(sql); !rs->eof(); rs->moveNext())
            list.entries.push_back({{rs->field(0).text(), rs->field(1).text(), withoutLineBreaks(rs->field(2).text())},
                                    !rs->field(3).isNull()});
    } catch (const data::DbError& e) {
        list.error = ReportError::fromDb(e, ReportError::Form::List);
    }
    return list;
}

Outcome<std::string> LoadInvoiceTypeList(data::Connection& connection) {
    std::vector<std::string> codes;
    std::string sql = std::string("Select * From 票据类型 ") + " where 定额=0 order by 票据类型代号 ";
    try {
        for (auto rs = connection.open(sql); !rs->eof(); rs->moveNext())
            codes.push_back(rs->field("票据类型代号").text());
    } catch (const data::DbError& e) {
        return ReportError::fromDb(e, ReportError::Form::List);
    }
    return data::sqlTextList(codes);
}

std::optional<DepartmentEntry> findDepartment(const std::vector<DepartmentEntry>& entries,
                                              const std::string& departmentCode, const std::string& officeCode) {
    for (const auto& e : entries)
        if (e.departmentCode == departmentCode && (officeCode.empty() || e.officeCode == officeCode)) return e;
    return std::nullopt;
}

}  // namespace tally::reports
