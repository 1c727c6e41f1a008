// The statement texts: where the period, the values and the item names go, and how the
// statements grow with the number of items. What they return is checked by the run tests.
#include <gtest/gtest.h>

#include "StatementText.h"
#include "VatInvoicingStatements.h"

using namespace tally::reports;
using namespace tally::reports::vat;
using tally::testing::between;
using tally::testing::containsNoCase;
using tally::testing::occurrences;

namespace {

// March 2024 as the server must see it: a range on the date, then the day key.
const std::string kIssuedRange =
    "票据.开票日期 >= CONVERT(datetime,'2024-03-01',120) And 票据.开票日期 < CONVERT(datetime,'2024-04-01',120)";
const std::string kCollectedRange =
    "票据.收款日期 >= CONVERT(datetime,'2024-03-01',120) And 票据.收款日期 < CONVERT(datetime,'2024-04-01',120)";
const std::string kIssuedKey = "Convert(Char(8),票据.开票日期,112) Between '20240301' And '20240331'";
const std::string kCollectedKey = "Convert(Char(8),票据.收款日期,112) Between '20240301' And '20240331'";

FeeItemSplit item(const std::string& code, const std::string& name, const std::string& category = "物业") {
    return {code, name, 0.06, category, name + "税额"};
}

StatementInput input(FeeItemList items) {
    std::vector<std::string> ratios;
    for (const auto& i : items) ratios.push_back(i.isParking() ? "0.3" : "");
    return {"01", "20240301", "20240331", "'P','Z'", std::move(items), std::move(ratios)};
}

// n items, every third one a parking item, with codes F1, F2, ...
FeeItemList manyItems(std::size_t n) {
    FeeItemList items;
    for (std::size_t i = 1; i <= n; ++i)
        items.push_back(item("F" + std::to_string(i), "项" + std::to_string(i), i % 3 == 1 ? "停车收费" : "物业"));
    return items;
}

// The per-invoice aggregate: the derived table joined back to 票据 as L (line by line) or S
// (the sums per item of the per-invoice rows).
std::string aggregateOf(const std::string& statement) {
    const std::string l = between(statement, " From (", ") L Inner Join");
    return l.empty() ? between(statement, " From (", ") S Inner Join") : l;
}

}  // namespace

TEST(VatInvoicingStatements, EachBranchOfThePeriodIsARangeOnItsOwnDateWithItsDayKeyKept) {
    const std::string condition = periodCondition("01", "20240301", "20240331");
    const auto split = condition.find(") Or (");
    ASSERT_NE(split, std::string::npos) << condition;
    const std::string issued = condition.substr(0, split), collected = condition.substr(split);

    EXPECT_TRUE(containsNoCase(issued, kIssuedRange + " And " + kIssuedKey)) << issued;
    EXPECT_FALSE(containsNoCase(issued, "收款日期")) << issued;
    EXPECT_TRUE(containsNoCase(collected, kCollectedRange + " And " + kCollectedKey)) << collected;
    EXPECT_TRUE(containsNoCase(collected, "CONVERT(char(8),票据.开票日期,112)<CONVERT(char(8),票据.收款日期,112)"));
    EXPECT_FALSE(containsNoCase(collected, "票据.开票日期 >=")) << collected;
    // each branch tests the department, so each can seek an index on (department, date)
    EXPECT_TRUE(containsNoCase(issued, "票据.开票部门编号 ='01'"));
    EXPECT_TRUE(containsNoCase(collected, "票据.开票部门编号 ='01'"));
}

TEST(VatInvoicingStatements, EveryStatementCarriesThePeriodsRanges) {
    const auto in = input({item("W1", "物业费"), item("P1", "停车费", "停车收费")});
    for (const std::string& sql : {extractionStatement("01", "20240301", "20240331"), invoicesStatement(in),
                                   itemLinesStatement(in), perLineStatement(in)}) {
        EXPECT_TRUE(containsNoCase(sql, kIssuedRange + " And " + kIssuedKey)) << sql;
        EXPECT_TRUE(containsNoCase(sql, kCollectedRange + " And " + kCollectedKey)) << sql;
    }
    // per line, the numbered lines are the period's lines, and so are the invoices they join
    EXPECT_TRUE(containsNoCase(aggregateOf(perLineStatement(in)), kIssuedRange));
    EXPECT_EQ(occurrences(perLineStatement(in), kIssuedRange), 2u);
}

TEST(VatInvoicingStatements, AKeyThatIsNoDateLeavesTheDayKeyTestAlone) {
    const std::string condition = periodCondition("01", "2024'0301", "20240331");
    EXPECT_FALSE(containsNoCase(condition, "CONVERT(datetime")) << condition;
    EXPECT_TRUE(containsNoCase(condition, "Convert(Char(8),票据.开票日期,112) Between '2024''0301' And '20240331'"));
    EXPECT_TRUE(containsNoCase(condition, "Convert(Char(8),票据.收款日期,112) Between '2024''0301' And '20240331'"));
}

TEST(VatInvoicingStatements, PerInvoiceStatementsNeitherGroupNorSortTheLines) {
    const auto one = input(manyItems(1)), many = input(manyItems(300));
    // neither statement depends on the items: the engine picks the items' lines by code
    EXPECT_EQ(invoicesStatement(many), invoicesStatement(one));
    EXPECT_EQ(itemLinesStatement(many), itemLinesStatement(one));
    EXPECT_TRUE(invoicesStatement(one).ends_with(" Order by 票据.开票日期, 票据.票据编号, 票据.入库单编号"));
    EXPECT_EQ(occurrences(invoicesStatement(one), "票据开票数据"), 0u);
    {
        const std::string sql = itemLinesStatement(many);
        EXPECT_EQ(occurrences(sql, "Sum("), 0u) << sql;
        EXPECT_EQ(occurrences(sql, "Group by"), 0u) << sql;
        EXPECT_EQ(occurrences(sql, "Order by"), 0u) << sql;
        EXPECT_EQ(occurrences(sql, "Union"), 0u) << sql;
        // a line's invoice is named as the invoice row names it, so the two meet on equal texts
        EXPECT_TRUE(sql.starts_with("Select 票据.票据编号, 票据.入库单编号, 票据开票数据.收费项目代号, ")) << sql;
        EXPECT_TRUE(containsNoCase(sql,
                                   " Inner Join 票据开票数据 on 票据开票数据.票据编号 = 票据.票据编号 And "
                                   "票据开票数据.入库单编号 = 票据.入库单编号"))
            << sql;
    }
    // a list of codes would be sought code by code on every invoice
    EXPECT_FALSE(containsNoCase(itemLinesStatement(many), "'F1'"));
}

TEST(VatInvoicingStatements, LineByLineJoinsAsManyTablesWhateverTheItemsAndNumbersTheLines) {
    const std::string one = perLineStatement(input(manyItems(1)));
    const std::string many = perLineStatement(input(manyItems(300)));
    EXPECT_EQ(occurrences(many, "Join"), occurrences(one, "Join"));
    for (const std::string& sql : {one, many}) {
        EXPECT_EQ(occurrences(sql, "From 票据开票数据"), 1u);
        // the k-th line of each item of an invoice: numbered within invoice, batch and item
        EXPECT_TRUE(containsNoCase(sql,
                                   "ROW_NUMBER() Over (Partition By 票据开票数据.票据编号, 票据开票数据.入库单编号, "
                                   "票据开票数据.收费项目代号 Order By 票据开票数据.金额, 票据开票数据.税额)"));
        EXPECT_TRUE(containsNoCase(sql, "Group by 编号行.票据编号, 编号行.入库单编号, 编号行.行号"));
        EXPECT_TRUE(containsNoCase(sql, "Order by 票据.开票日期, 票据.票据编号, 票据.入库单编号, L.行号"));
    }
}

TEST(VatInvoicingStatements, ItemNamesAreAliasesOfTheOuterSelectListOnly) {
    // equal names and a name with a bracket and a blank: the aggregate never names a column after an item
    const auto in = input({item("W1", "物业费"), item("W2", "物业费"), item("P1", "车位]费 月租", "停车收费")});
    const std::string sql = perLineStatement(in);
    EXPECT_TRUE(containsNoCase(sql, "[车位]]费 月租KFS]")) << sql;
    EXPECT_TRUE(containsNoCase(sql, "[车位]]费 月租WY]"));
    EXPECT_TRUE(containsNoCase(sql, "[车位]]费 月租税额]"));
    EXPECT_FALSE(containsNoCase(sql, "[车位]费")) << sql;
    const std::string aggregate = aggregateOf(sql);
    ASSERT_FALSE(aggregate.empty());
    EXPECT_FALSE(containsNoCase(aggregate, "物业费")) << aggregate;
    EXPECT_FALSE(containsNoCase(aggregate, "车位")) << aggregate;
    // equal aliases stay apart: each shows its own column of the aggregate
    EXPECT_EQ(occurrences(sql, "As [物业费]"), 2u) << sql;
    EXPECT_TRUE(containsNoCase(sql, "L.N1 ")) << sql;
    EXPECT_TRUE(containsNoCase(sql, "L.N2 ")) << sql;
    // per invoice, the statements name no item at all
    for (const std::string& perInvoice : {itemLinesStatement(in), invoicesStatement(in)}) {
        EXPECT_FALSE(containsNoCase(perInvoice, "物业费")) << perInvoice;
        EXPECT_FALSE(containsNoCase(perInvoice, "车位")) << perInvoice;
    }
}

TEST(VatInvoicingStatements, ValuesWithQuotesStayData) {
    auto in = input({item("S'1", "水费"), item("P1", "停车费", "停车收费")});
    in.departmentCode = "0'1";
    for (const std::string& sql : {invoicesStatement(in), itemLinesStatement(in), perLineStatement(in),
                                   extractionStatement("0'1", "20240301", "20240331")}) {
        EXPECT_TRUE(containsNoCase(sql, "票据.开票部门编号 ='0''1'")) << sql;
        EXPECT_FALSE(containsNoCase(sql, "='0'1'")) << sql;
    }
    EXPECT_TRUE(containsNoCase(perLineStatement(in), "收费项目代号 in ('S''1')"));
}

TEST(VatInvoicingStatements, EmptyListsMatchNothing) {
    auto in = input({item("", "无代号费"), item("P1", "停车费", "停车收费")});
    in.invoiceTypeList = "";
    for (const std::string& sql : {invoicesStatement(in), itemLinesStatement(in), perLineStatement(in)}) {
        EXPECT_EQ(occurrences(sql, "In ()"), 0u) << sql;
        EXPECT_TRUE(containsNoCase(sql, "Coalesce(票据类型代号, Null) In (NULL)")) << sql;
    }
    // an item without a code has no lines of its own
    EXPECT_TRUE(containsNoCase(perLineStatement(in), "收费项目代号 in (NULL)"));
}
