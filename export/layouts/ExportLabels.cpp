#include "ExportLabels.h"

namespace tally::exports {

std::string departmentLine(const std::string& departmentEntry) {
    return " 统计部门 : " + departmentEntry.substr(0, departmentEntry.find("【"));
}

std::string invoiceDateLine(const std::string& startDate, const std::string& endDate) {
    return " 开票日期 : " + startDate + " 至 " + endDate;
}

std::string reconciliationPeriodLine(const ReconciliationSheetLabels& labels) {
    return " 核对年月 : " + labels.year + " 年 " + labels.startMonth + " 月 至 " + labels.endMonth + " 月";
}

}  // namespace tally::exports
