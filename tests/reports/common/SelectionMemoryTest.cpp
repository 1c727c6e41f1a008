// What the windows remember between sessions: values kept by a run come back, values
// that fail a check never do, and codes from the data cannot reach other keys.
#include <gtest/gtest.h>

#include "SelectionMemory.h"

namespace tally::reports {
namespace {

const DepartmentEntry kEstate{"01", "GL01", "翠湖花园管理处"};
const DepartmentEntry kStreet{"02", "GL03", "锦绣华庭商业街管理处"};

SplitRatioRow split(const std::string& code, const std::string& developer, const std::string& property) {
    return {"停车费" + code, developer, property, code};
}

// Two parking items of a fresh extraction, at 70/30.
SplitRatioRows freshRows() { return {split("P1", "70", "30"), split("P2", "70", "30")}; }

TEST(SelectionMemory, ADetailRunComesBackForItsWindowOnly) {
    const auto values = detailRunValues("parking", kStreet, "20250301", "20250630", {});
    const auto kept = recallDetail(values, "parking");
    ASSERT_TRUE(kept.department);
    EXPECT_EQ(kept.department->departmentCode, "02");
    EXPECT_EQ(kept.department->officeCode, "GL03");
    EXPECT_EQ(kept.fromKey, "20250301");
    EXPECT_EQ(kept.toKey, "20250630");

    const auto other = recallDetail(values, "vat-invoicing");
    EXPECT_FALSE(other.department) << "each window keeps its own selection";
    EXPECT_FALSE(other.fromKey);
    EXPECT_FALSE(recallReconciliation(values).department);
}

TEST(SelectionMemory, AReconciliationRunComesBack) {
    const auto values = reconciliationRunValues(kEstate, "2025", "03", "11");
    const auto kept = recallReconciliation(values);
    ASSERT_TRUE(kept.department);
    EXPECT_EQ(kept.department->departmentCode, "01");
    EXPECT_EQ(kept.department->officeCode, "GL01");
    EXPECT_EQ(kept.year, "2025");
    EXPECT_EQ(kept.startMonth, "03");
    EXPECT_EQ(kept.endMonth, "11");
    EXPECT_FALSE(recallDetail(values, "parking").department);
}

TEST(SelectionMemory, ValuesThatFailTheirCheckAreIgnored) {
    auto values = detailRunValues("parking", kEstate, "20250101", "20251231", {});
    for (const std::string bad : {"20250230", "20230229", "2025-01-01", "2025011", "",
                                  "0999"
                                  "0101",
                                  "20251301"}) {
        values["parking/from"] = bad;
        EXPECT_FALSE(recallDetail(values, "parking").fromKey) << bad;
    }
    values["parking/from"] = "20240229";
    EXPECT_EQ(recallDetail(values, "parking").fromKey, "20240229") << "a leap day";
    EXPECT_EQ(recallDetail(values, "parking").toKey, "20251231") << "one bad value leaves the others";

    values.erase("parking/office_code");
    EXPECT_FALSE(recallDetail(values, "parking").department) << "a department needs both codes";

    auto period = reconciliationRunValues(kEstate, "2025", "01", "12");
    for (const std::string bad : {"25", "20255", "２０２５", "20a5"}) {
        period["reconciliation/year"] = bad;
        EXPECT_FALSE(recallReconciliation(period).year) << bad;
    }
    for (const std::string bad : {"00", "13", "1", "1a", " 1", ""}) {
        period["reconciliation/start_month"] = bad;
        EXPECT_FALSE(recallReconciliation(period).startMonth) << bad;
    }
    EXPECT_EQ(recallReconciliation(period).endMonth, "12");
}

TEST(SelectionMemory, SplitsComeBackForTheDepartmentsItemsStillExtracted) {
    const auto values =
        detailRunValues("parking", kEstate, "20250101", "20251231", {split("P1", "60", "40"), split("P9", "0", "100")});
    // The split of a department holds whichever detail window ran it.
    const auto rows = withRememberedSplits(values, kEstate, freshRows());
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].developerText, "60");
    EXPECT_EQ(rows[0].propertyText, "40");
    EXPECT_EQ(rows[1].developerText, "70") << "an item never run keeps the default";
    EXPECT_EQ(rows[1].propertyText, "30");
    EXPECT_EQ(rows[0].name, "停车费P1");

    const auto elsewhere = withRememberedSplits(values, kStreet, freshRows());
    EXPECT_EQ(elsewhere[0].developerText, "70") << "another department's split is its own";
}

TEST(SelectionMemory, SplitPairsTheRunWouldRefuseAreIgnored) {
    struct Case {
        const char* name;
        std::string developer, property;
    };
    for (const auto& c : {Case{"not at 100", "60", "30"}, Case{"not a number", "abc", "30"},
                          Case{"above 100", "150", "-50"}, Case{"blank", "", "100"}}) {
        auto values = detailRunValues("parking", kEstate, "20250101", "20251231", {split("P1", "60", "40")});
        for (auto& [k, v] : values) {
            if (k.ends_with("/developer")) v = c.developer;
            if (k.ends_with("/property")) v = c.property;
        }
        const auto rows = withRememberedSplits(values, kEstate, freshRows());
        EXPECT_EQ(rows[0].developerText, "70") << c.name;
        EXPECT_EQ(rows[0].propertyText, "30") << c.name;
    }
    auto oneSide = detailRunValues("parking", kEstate, "20250101", "20251231", {split("P1", "60", "40")});
    std::erase_if(oneSide, [](const auto& kv) { return kv.first.ends_with("/property"); });
    EXPECT_EQ(withRememberedSplits(oneSide, kEstate, freshRows())[0].developerText, "70") << "half a pair";

    const auto fractions = detailRunValues("parking", kEstate, "20250101", "20251231", {split("P1", "62.5", "37.5")});
    EXPECT_EQ(withRememberedSplits(fractions, kEstate, freshRows())[0].propertyText, "37.5");
}

TEST(SelectionMemory, CodesFromTheDataStayInsideTheirOwnKeys) {
    // Joined as text these two would name the same department.
    const DepartmentEntry a{"0", "1_2", "a"}, b{"0_1", "2", "b"};
    const SplitRatioRows awkward = {split("x/../y=1;[General]", "10", "90"), split("", "20", "80"),
                                    split("停车", "30", "70")};
    auto values = detailRunValues("parking", a, "20250101", "20250131", awkward);
    for (const auto& [k, v] : values)
        for (char c : k)
            EXPECT_TRUE((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                        c == '/' || c == '-')
                << k;

    SplitRatioRows rows = {split("x/../y=1;[General]", "70", "30"), split("", "70", "30"), split("停车", "70", "30")};
    const auto back = withRememberedSplits(values, a, rows);
    EXPECT_EQ(back[0].developerText, "10");
    EXPECT_EQ(back[1].developerText, "20") << "an item without a code";
    EXPECT_EQ(back[2].developerText, "30");
    EXPECT_EQ(withRememberedSplits(values, b, rows)[0].developerText, "70");
}

TEST(SelectionMemory, TheDepartmentIsFoundByBothCodesOrNotAtAll) {
    const std::vector<DepartmentEntry> list = {kEstate, {"02", "GL02", "锦绣华庭管理处"}, kStreet};
    EXPECT_EQ(positionOf(list, {"02", "GL03"}), 2u) << "the office tells apart one department's entries";
    EXPECT_EQ(positionOf(list, {"01", "GL01"}), 0u);
    EXPECT_EQ(positionOf(list, {"02", ""}), std::nullopt);
    EXPECT_EQ(positionOf(list, {"07", "GL01"}), std::nullopt) << "a department gone from the list";
    EXPECT_EQ(positionOf({}, {"01", "GL01"}), std::nullopt);
}

}  // namespace
}  // namespace tally::reports
