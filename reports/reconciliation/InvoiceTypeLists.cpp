#include "InvoiceTypeLists.h"

#include "SqlText.h"

namespace tally::reports::reconciliation {
namespace {

void append(std::string& list, const std::string& code) {
    if (!list.empty()) list += ",";
    list += data::sqlTextLiteral(code);
}

}  // namespace

Outcome<InvoiceTypeLists> LoadInvoiceTypeLists(data::Connection& connection) {
    std::string sql = std::string("Select * From 票据类型 ") + " where 定额=0 order by 票据类型代号 ";
    InvoiceTypeLists lists;
    try {
        for (auto rs = connection.open(sql); !rs->eof(); rs->moveNext()) {
            std::string code = rs->field("票据类型代号").text();
            std::string name = rs->field("票据类型").text();
            append(lists.all, code);
            if (name.find("增值税专用发票") != std::string::npos) append(lists.special, code);
            if (name.find("增值税普通发票") != std::string::npos) append(lists.ordinary, code);
            if (name == "收据") append(lists.receipt, code);
        }
    } catch (const data::DbError& e) {
        return ReportError::fromDb(e);
    }
    return lists;
}

}  // namespace tally::reports::reconciliation
