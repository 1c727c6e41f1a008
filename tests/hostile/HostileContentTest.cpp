// What comes out of the reports on hostile data: names intact as headings, texts intact
// as cells, amounts exact to the cent; and the checks the sweep relies on.
#include <gtest/gtest.h>

#include <algorithm>

#include "Departments.h"
#include "EngineHarness.h"
#include "Money.h"
#include "ReportCatalog.h"
#include "StatementSpill.h"

namespace tally::testing {
namespace {

using namespace std::string_literals;
using Row = std::vector<std::string>;

EngineOutcome run(HostileVariant variant, const std::string& kind) {
    HostileDatabase db(variant);
    RecordingConnection connection(db.connect());
    auto out = runReportEngine(kind, connection, db.profile());
    EXPECT_FALSE(out.escaped) << *out.escaped;
    EXPECT_FALSE(out.hasError()) << out.errors.front().messageText();
    return out;
}

// The cells of `row` from the one holding `first` on, as many as `expected` has.
void expectCellsAfter(const EngineOutcome& out, const std::string& first, const Row& expected) {
    const Row* row = out.rowWith(first);
    ASSERT_NE(row, nullptr) << "no row holds \"" << first << "\"";
    auto at = std::find(row->begin(), row->end(), first);
    auto rest = Row(at + 1, row->end());
    ASSERT_GE(rest.size(), expected.size());
    EXPECT_EQ(Row(rest.begin(), rest.begin() + expected.size()), expected) << "after \"" << first << "\"";
}

int headingCount(const EngineOutcome& out, int row, const std::string& text) {
    if (out.headings.size() <= static_cast<std::size_t>(row)) return 0;
    return static_cast<int>(std::count(out.headings[row].begin(), out.headings[row].end(), text));
}

// The sound amounts of the standard invoices: parking 109 (tax 9) split 70/30 on A and B,
// property 106 (tax 6) on A and 53 (tax 3) on C.
void expectStandardAmounts(const std::string& kind, const EngineOutcome& out, const std::string& numberA,
                           const std::string& numberB, const std::string& methodA) {
    if (kind == "parking") {
        expectCellsAfter(out, numberA, {"", "70.00", "30.00", "9.00", "109.00"});
        expectCellsAfter(out, methodA, {"109.00"});
    } else if (kind == "vat-invoicing") {
        expectCellsAfter(out, numberA, {"", "", "70.00", "30.00", "9.00", "100.00", "6.00", "215.00", methodA});
        expectCellsAfter(out, "合  计", {"", "", "", "", "70.00", "30.00", "9.00", "150.00", "9.00", "268.00"});
    } else if (kind == "pre-invoicing") {
        expectCellsAfter(out, numberB, {"", "70.00", "30.00", "9.00", "109.00", "预开"});
    } else {
        // C's receipt of 53.00 counts on its rate's row, so the month reconciles
        expectCellsAfter(
            out, "小计",
            {"100.00", "9.00", "200.00", "15.00", "53.00", "109.00", "159.00", "268.00", "0.00", "109.00", "0.00"});
    }
}

class HostileContent : public ::testing::TestWithParam<std::string> {};

TEST_P(HostileContent, QuotesBracketsAndCommentMarksComeOutAsStored) {
    const std::string kind = GetParam();
    auto out = run(HostileVariant::Punctuation, kind);
    const std::string parking = "停车'HX]费 [x] -- ; /* */ 末", property = "物业 费'HX;--";
    if (kind == "reconciliation") {
        EXPECT_EQ(headingCount(out, 1, parking), 1);
        EXPECT_EQ(headingCount(out, 1, property), 1);
    } else {
        EXPECT_EQ(headingCount(out, 0, parking), 3);
        EXPECT_EQ(headingCount(out, 0, property), kind == "vat-invoicing" ? 2 : 0);
    }
    expectStandardAmounts(kind, out, "A'HX1 --", "B]HX1", "现金'HX --");
    if (kind == "vat-invoicing") {
        EXPECT_NE(out.rowWith("张'HX三-- 3号楼;HX/*"), nullptr) << "payer without its CR/LF, then the address";
        expectCellsAfter(out, "C;HX/*1", {"0.00", "0.00", "0.00", "50.00", "3.00", "53.00", "微信[支付]HX"});
    }
}

TEST_P(HostileContent, LongMultiLineEqualAndEmptyNamesAreColumnsOfTheirOwn) {
    const std::string kind = GetParam();
    auto out = run(HostileVariant::AwkwardNames, kind);
    std::string longName = "停车HX";
    while (longName.size() < 200) longName += "x";
    const std::string multiLine = "物业\r\nHX管理\n费";
    if (kind == "reconciliation") {
        for (const auto& name : {longName, multiLine, "水费住宅HX"s, ""s})
            EXPECT_EQ(headingCount(out, 1, name), name == "水费住宅HX" ? 2 : 1) << name;
        // S1, S2 and E1 each hand over 10.90 at 9 %, beside the parking item's 109.00
        const Row* row = out.rowWith("0.09");
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(std::count(row->begin(), row->end(), "10.90"), 3);
        expectCellsAfter(out, "0.09", {"100.00", "9.00", "130.00", "11.70", "0.00"});
        return;
    }
    EXPECT_EQ(headingCount(out, 0, longName), 3);
    if (kind == "parking") {
        // P01, then the parking twins S1 and S2 (10.9, tax 0.9 each) as items of their own
        EXPECT_EQ(headingCount(out, 0, "水费住宅HX"), 6);
        expectCellsAfter(out, "A1",
                         {"", "70.00", "30.00", "9.00", "7.00", "3.00", "0.90", "7.00", "3.00", "0.90", "130.80"});
    }
    if (kind != "vat-invoicing") return;
    EXPECT_EQ(headingCount(out, 0, multiLine), 2);
    EXPECT_EQ(headingCount(out, 0, "水费住宅HX"), 6);
    EXPECT_EQ(headingCount(out, 0, ""), 2) << "the item whose name cleans to nothing keeps its two columns";
    // E1 "()%" (10.9, tax 0.9), P01, the parking twins S1 and S2, then the property item
    expectCellsAfter(out, "A1",
                     {"", "", "10.00", "0.90", "70.00", "30.00", "9.00", "7.00", "3.00", "0.90", "7.00", "3.00", "0.90",
                      "100.00", "6.00", "247.70"});
}

TEST_P(HostileContent, NulCharactersStayInsideTheirCells) {
    const std::string kind = GetParam();
    auto out = run(HostileVariant::NulCharacters, kind);
    expectStandardAmounts(kind, out, "A\0HX1"s, "B1", "现金\0HX"s);
    if (kind == "vat-invoicing") {
        EXPECT_NE(out.rowWith("张\0HX三 3号楼\0HX\x01\x1B"s), nullptr);
    }
}

TEST_P(HostileContent, NullsCountAsNothingAndListNoNamelessMethod) {
    const std::string kind = GetParam();
    auto out = run(HostileVariant::NullColumns, kind);
    if (kind == "reconciliation") return;  // every rate Null: only receipts of no rate (the sweep checks the rows)
    if (kind == "parking") {
        // a Null tax leaves the whole amount net; A was paid without a method
        expectCellsAfter(out, "A1", {"", "76.30", "32.70", "0.00", "109.00"});
        EXPECT_EQ(out.rows.size(), 2u) << "no payment-method row for a method without a name";
    }
    if (kind == "vat-invoicing") {
        expectCellsAfter(out, "合  计",
                         {"", "", "", "", "0.00", "0.00", "76.30", "32.70", "0.00", "153.00", "6.00", "268.00"});
        ASSERT_EQ(out.rows.size(), 5u);
        EXPECT_EQ(out.rows.back()[1], "其中");
        EXPECT_EQ(out.rows.back().back(), "");
        expectCellsAfter(out, "其中", {"", "", "", "", "", "", "", "", "", "", "", "53.00", "微信支付"});
    }
    if (kind == "pre-invoicing") expectCellsAfter(out, "B1", {"", "70.00", "30.00", "9.00", "109.00"});
    EXPECT_EQ(headingCount(out, 1, "税额0%"), 1 + (kind == "vat-invoicing" ? 2 : 0)) << "a Null rate shows as 0 %";
}

TEST_P(HostileContent, NegativeAndHalfCentAmountsRoundAwayFromZero) {
    const std::string kind = GetParam();
    auto out = run(HostileVariant::SmallAndNegative, kind);
    if (kind == "parking") {
        expectCellsAfter(out, "A1", {"", "-70.00", "-30.00", "-9.00", "-109.00"});
    } else if (kind == "vat-invoicing") {
        expectCellsAfter(out, "A1", {"", "", "-70.00", "-30.00", "-9.00", "2.68", "0.00", "-106.32"});
        expectCellsAfter(out, "C1", {"0.00", "0.00", "0.00", "0.01", "0.00", "0.01"});
        expectCellsAfter(out, "合  计", {"", "", "", "", "-70.00", "-30.00", "-9.00", "-47.31", "-3.00", "-159.31"});
        expectCellsAfter(out, "其中", {"", "", "", "", "", "", "", "", "", "-159.32", "现金"});
    } else if (kind == "reconciliation") {
        // the receipt of 0.005 on its rate's row
        expectCellsAfter(out, "0.06", {"0.00", "0.00", "-47.33", "-3.00", "0.01", "0.00", "-50.32", "-50.32"});
    }
}

TEST_P(HostileContent, LooseDateFormsCountForTheirDay) {
    const std::string kind = GetParam();
    auto out = run(HostileVariant::LooseDates, kind);
    expectStandardAmounts(kind, out, "A1", "B1", "现金");
    if (kind == "vat-invoicing") {
        expectCellsAfter(out, "1", {"2024-03-05", "", "A1"});
        expectCellsAfter(out, "3", {"2024-03-10", "B1"});
    }
}

TEST_P(HostileContent, FeeItemsNamedLikeColumnsAreColumnsOfTheirOwn) {
    const std::string kind = GetParam();
    auto out = run(HostileVariant::ColumnNames, kind);
    expectStandardAmounts(kind, out, "A1", "B1", "现金");
    if (kind == "reconciliation") {
        EXPECT_EQ(headingCount(out, 1, "S税率"), 1);
        EXPECT_EQ(headingCount(out, 1, "专用发票"), 1);
    }
}

TEST(HostileColumnNames, AnItemNamedLikeAnUnqualifiedColumnOfTheInvoiceStatement) {
    HostileDatabase db(HostileVariant::ColumnNames);
    db.exec("UPDATE setupsfxm SET xm='收款方式' WHERE dh='W01'");
    RecordingConnection connection(db.connect());
    auto out = runReportEngine("vat-invoicing", connection, db.profile());
    EXPECT_FALSE(out.hasError());
    expectStandardAmounts("vat-invoicing", out, "A1", "B1", "现金");
}

TEST(HostileNumbers, MergedParkingRowsNameTheirFirstAndLastInvoiceWhole) {
    auto out = run(HostileVariant::DashedNumbers, "parking");
    expectCellsAfter(out, "A - HX1 - A2 - HX", {"", "77.00", "33.00", "9.90", "119.90"});
    out = run(HostileVariant::DashedNumbers, "pre-invoicing");
    expectCellsAfter(out, "B - HX", {"", "70.00", "30.00", "9.00", "109.00"});
}

TEST_P(HostileContent, OddDepartmentCodesAndEmptyOfficeNamesStillSelect) {
    const std::string kind = GetParam();
    auto out = run(HostileVariant::OddDepartments, kind);
    expectStandardAmounts(kind, out, "A1", "B1", "现金");
}

INSTANTIATE_TEST_SUITE_P(Reports, HostileContent, ::testing::ValuesIn(allReportKinds()), [](const auto& info) {
    std::string name = info.param;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

TEST(HostileDepartments, NamesAreKeptAsDataAndTitlesShowThem) {
    HostileDatabase nul(HostileVariant::NulCharacters);
    auto entries = reports::LoadDepartmentList(*nul.connect()).entries;
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].officeName, "翠湖\0HX管理处"s);

    HostileDatabase odd(HostileVariant::OddDepartments);
    auto list = reports::LoadDepartmentList(*odd.connect());
    ASSERT_FALSE(list.error);
    auto empty = reports::findDepartment(list.entries, "D HX 1", "【HX】");
    auto second = reports::findDepartment(list.entries, "D HX 1", "GL2HX");
    ASSERT_TRUE(empty && second);
    EXPECT_EQ(empty->officeName, "");
    EXPECT_EQ(second->officeName, "【】【二】HX");
    EXPECT_EQ(reports::makeDetailReport("parking")->titleFor(*empty), "【】停车费明细表");
    EXPECT_TRUE(reports::findDepartment(list.entries, "【】", ""));
}

TEST(HostileManyItems, SeventyFeeItemsInAPeriodAreSeventyColumnGroups) {
    auto out = run(HostileVariant::ManyFeeItems, "vat-invoicing");
    EXPECT_EQ(headingCount(out, 0, "杂项79"), 2);
    // items in code order: M10 to M79 first, each 1.00 and its tax 0.06
    expectCellsAfter(out, "A1", {"", "", "1.00", "0.06", "1.00", "0.06"});
    expectCellsAfter(out, "0.06", {"1.00"});
    ASSERT_NE(out.rowWith("289.20"), nullptr) << "215.00 and seventy items of 1.06";
    // the reconciliation: a hand-over column per item, seventy of 1.06 collected with A
    auto reconciliation = run(HostileVariant::ManyFeeItems, "reconciliation");
    ASSERT_FALSE(reconciliation.hasError()) << reconciliation.errors.front().messageText();
    EXPECT_EQ(headingCount(reconciliation, 1, "杂项79"), 1);
    EXPECT_NE(reconciliation.rowWith("1.06"), nullptr);
}

TEST(HostileAmounts, CentsOfLargeAmountsAreExactWhileTheyFit) {
    EXPECT_EQ(reports::roundToCents(1e16), 1'000'000'000'000'000'000);
    EXPECT_EQ(reports::parseCents("10990000000000000.00"), 1'099'000'000'000'000'000);
    EXPECT_EQ(reports::formatCents(reports::parseCents("-90000000000000000.00")), "-90000000000000000.00");
    EXPECT_EQ(reports::roundToCents(2.675), 268);
    EXPECT_EQ(reports::roundToCents(-0.005), -1);
}

TEST(StatementSpills, FindValuesThatLeftTheirLiteral) {
    const std::vector<std::string> values = {"P'HX1 --", "停车]HX"};
    EXPECT_TRUE(
        statementSpills("Select a From t Where c in ('P''HX1 --') And [停车]]HX税额] Is Null", values, "HX").empty());
    // the same values pasted in without doubling the quote and the bracket
    EXPECT_FALSE(statementSpills("Select a From t Where c in ('P'HX1 --')", values, "HX").empty());
    EXPECT_FALSE(statementSpills("Select [停车]HX税额] From t", values, "HX").empty());
    EXPECT_FALSE(statementSpills("Select 停车HX From t", values, "HX").empty());
    // a literal holding only part of a value: the value was cut in two
    EXPECT_FALSE(statementSpills("Select 'P''HX' + '1 --' From t", values, "HX").empty());
    EXPECT_FALSE(statementSpills("Select 1 /* note */ From t", values, "HX").empty());
}

}  // namespace
}  // namespace tally::testing
