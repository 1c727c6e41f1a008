#include "ReferenceVatInvoicingStatements.h"

#include "ReferenceItemColumnsSql.h"
#include "SqlText.h"

namespace tally::reference::vat {
namespace {

using data::escapeSqlText;

const char* const kNet = "票据开票数据.金额-(Case When 票据开票数据.税额 Is Null Then 0 Else 票据开票数据.税额 End)";
const char* const kNetSpaced =
    "票据开票数据.金额 - (Case When 票据开票数据.税额 Is Null Then 0 Else 票据开票数据.税额 End)";
// The exchange part zeroes every amount with these.
const char* const kZero =
    "票据开票数据.金额-(Case When 票据开票数据.税额 Is Null Then 票据开票数据.金额 Else 票据开票数据.金额 End)";
const char* const kZeroSpaced =
    "票据开票数据.金额 - (Case When 票据开票数据.税额 Is Null Then 票据开票数据.金额 Else 票据开票数据.金额 End)";

enum class Part { Main, Exchange };

// Select list of one item's grouped derived table.
std::string groupedSelect(const FeeItemSplit& item, const std::string& ratio, Part part) {
    const std::string net = part == Part::Main ? kNet : kZero;
    const std::string netSpaced = part == Part::Main ? kNetSpaced : kZeroSpaced;
    if (item.isParking())
        return "Select SUM(" + net + ") * " + ratio + " as " + reference::propertyAlias(item) + "," + " SUM(" +
               netSpaced + ")  As " + reference::netAlias(item) + "," + " SUM(票据开票数据.税额) as " +
               reference::taxAlias(item) + ", 票据开票数据.票据编号";
    return "Select SUM(" + net + ") as " + reference::netAlias(item) + " ,SUM(" +
           (part == Part::Main ? "票据开票数据.税额" : "0") + ") as " + reference::taxAlias(item) +
           ", 票据开票数据.票据编号";
}

// From, joins and conditions shared by both kinds of derived table.
std::string derivedBody(const StatementInput& in, const FeeItemSplit& item) {
    return std::string(" From 票据开票数据") +
           " Inner Join 票据  on 票据开票数据.入库单编号  =票据.入库单编号 and 票据开票数据.票据编号 = 票据.票据编号" +
           " Inner Join 票据入库单 on 票据开票数据.入库单编号 =票据入库单.入库单编号" +
           " Inner Join 票据类型 on 票据入库单.票据类型编号 =票据类型.票据类型代号" +
           " Where  (作废日期 Is Null Or 作废日期 Is Not Null)" + periodCondition(in.fromKey, in.toKey) +
           " And 收费项目代号 in (" + inListBody(item.quotedCode()) + ")" + " And 开票部门编号 ='" +
           escapeSqlText(in.departmentCode) + "'" + " And 票据类型代号 In (" + inListBody(in.invoiceTypeList) + ")";
}

std::string outerSelectList(const StatementInput& in) {
    return "Select 票据.票据编号 ,票据.入库单编号 , 票据类型.票据类型 ,开票日期, 收款日期, 作废日期, 票据.金额, "
           "收款方式, 付款人, 地址, 票据.被换票票据编号 " +
           reference::itemSelectList(in.items);
}

std::string outerFrom() {
    return std::string(" From 票据") + " inner join 票据入库单 on 票据.入库单编号 =票据入库单.入库单编号" +
           " inner join 票据类型 on 票据入库单.票据类型编号 =票据类型.票据类型代号";
}

std::string outerConditions(const StatementInput& in) {
    return " Where 票据.开票部门编号 ='" + escapeSqlText(in.departmentCode) + "'" + " And 票据类型代号 In (" +
           inListBody(in.invoiceTypeList) + ")" + " And (" + reference::itemPresenceTest(in.items) + ")";
}

// The exchange part's sums are only ever tested for presence (its rows show zeros), and
// only on exchange invoices: summing the lines of those alone gives the same rows and
// spares a second pass over every line of the period.
const char* const kExchangeOnly = " And 被换票票据编号 is not null";

std::string perInvoicePart(const StatementInput& in, Part part) {
    std::string q = outerSelectList(in) + outerFrom();
    for (std::size_t i = 0; i < in.items.size(); ++i)
        q += reference::itemJoin(i, groupedSelect(in.items[i], in.ratios.at(i), part) + ", 票据开票数据.入库单编号" +
                                        derivedBody(in, in.items[i]) + (part == Part::Exchange ? kExchangeOnly : "") +
                                        " Group by 票据开票数据.票据编号, 票据开票数据.入库单编号");
    q += outerConditions(in) + periodCondition(in.fromKey, in.toKey);
    q += part == Part::Main ? " And 被换票票据编号 is null" : " And 被换票票据编号 is not null";
    return q;
}

}  // namespace

std::string periodCondition(const std::string& fromKey, const std::string& toKey) {
    const std::string f = escapeSqlText(fromKey), t = escapeSqlText(toKey);
    return " And (Convert(Char(8),开票日期,112) Between '" + f + "' And '" + t + "'" +
           " Or (Convert(Char(8),收款日期,112) Between '" + f + "' And '" + t +
           "' And CONVERT(char(8),开票日期,112)<CONVERT(char(8),收款日期,112)))";
}

std::string extractionStatement(const std::string& departmentCode, const std::string& fromKey,
                                const std::string& toKey) {
    return std::string("Select distinct 收费项目代号, setupsfxm.税率,XM , 收费类别,显示名称") + " From 票据" +
           " inner join 票据开票数据 on 票据.票据编号  =票据开票数据.票据编号 And 票据.入库单编号 = "
           "票据开票数据.入库单编号" +
           " inner join 票据入库单 on 票据.入库单编号 =票据入库单.入库单编号" +
           " inner join setupsfxm on 收费项目代号=dh" + " Where  (作废日期 Is Null Or 作废日期 Is Not Null)" +
           periodCondition(fromKey, toKey) + " And 开票部门编号 ='" + escapeSqlText(departmentCode) + "'" +
           " group by  setupsfxm.税率,收费项目代号,xm,收费类别,显示名称" + " order by 收费项目代号";
}

std::string perInvoiceStatement(const StatementInput& in) {
    return perInvoicePart(in, Part::Main) + " Union All " + perInvoicePart(in, Part::Exchange) +
           " Order by 票据.开票日期,票据编号";
}

}  // namespace tally::reference::vat
