// The steps both front ends take for a detail report, over a report whose database
// answers are scripted: what each step hands on, and what it says in which order.
#include <gtest/gtest.h>

#include "DetailReportFlow.h"

using namespace tally;
using namespace tally::reports;

namespace {

class NoDatabase : public data::Connection {
public:
    std::string engineName() const override { return "none"; }

protected:
    std::unique_ptr<data::Recordset> execute(std::string_view, int) override {
        throw data::DbError(1, "the scripted report reads nothing");
    }
};

class ScriptedRows : public ReportResult {
public:
    explicit ScriptedRows(int rows) : rows_(rows) {}
    int rowCount() const override { return rows_; }
    int columnCount() const override { return 1; }
    DrawnRow drawRow(int index) const override { return {{{std::to_string(index + 1)}}, -1}; }

private:
    int rows_;
};

// Hands back what the test put in; headings name the split they were laid out with.
class ScriptedReport : public DetailReport {
public:
    Extraction extraction;
    Outcome<std::shared_ptr<const ReportResult>> runOutcome = std::shared_ptr<const ReportResult>();
    bool relayBeforeRun = false;
    mutable int runs = 0;

    const ReportTexts& texts() const override {
        static const ReportTexts t{"scripted", "frmScripted",   "表",      "表", "条件", "范围", "提取中",
                                   "统计中",   "没有收费项目!", "导出成功"};
        return t;
    }
    HeadingLayout initialHeadings() const override { return {}; }
    HeadingLayout layoutHeadings(const FeeItemList& items, const SplitRatioRows& splits) const override {
        HeadingLayout h;
        for (const auto& item : items) h.addColumn(item.cleanedName, "", 900, false);
        for (const auto& split : splits) h.addColumn(split.code, "开发商" + split.developerText + "%", 900, false);
        return h;
    }
    bool layoutHeadingsBeforeRun() const override { return relayBeforeRun; }
    Extraction extractFeeItems(data::Connection&, const ReportRequest&) const override { return extraction; }
    Outcome<std::shared_ptr<const ReportResult>> run(data::Connection&, const ReportRequest&, const FeeItemList&,
                                                     const SplitRatioRows&) const override {
        ++runs;
        return runOutcome;
    }
};

const FeeItemSplit kPropertyFee{"W1", "物业费", 0.06, "物业", "物业费税额"};
const FeeItemSplit kParking{"P1", "停车费", 0.09, "停车收费", "停车费税额"};

std::vector<std::string> texts(const std::vector<ReportError>& errors) {
    std::vector<std::string> out;
    for (const auto& e : errors) out.push_back(e.messageText());
    return out;
}

}  // namespace

TEST(DetailSelection, ADepartmentComesFirstThenThePeriod) {
    auto noDepartment = CheckDetailSelection(false, "20240331", "20240301");
    ASSERT_TRUE(noDepartment);
    EXPECT_EQ(noDepartment->error.messageText(), "请先选择统计部门!");
    EXPECT_FALSE(noDepartment->focusPeriodEnd);

    auto backwards = CheckDetailSelection(true, "20240331", "20240301");
    ASSERT_TRUE(backwards);
    EXPECT_EQ(backwards->error.messageText(), "截至日期不能小于开始日期!");
    EXPECT_TRUE(backwards->focusPeriodEnd);
    EXPECT_TRUE(backwards->error.refusedSelection);

    EXPECT_FALSE(CheckDetailSelection(true, "20240301", "20240301"));
}

TEST(DetailExtraction, FoundItemsGiveSplitsAt70And30AndHeadingsForThem) {
    NoDatabase db;
    ScriptedReport report;
    report.extraction.items = {kPropertyFee, kParking};
    auto extraction = ExtractDetailFeeItems(db, report, {});
    ASSERT_TRUE(extraction.splits && extraction.headings);
    ASSERT_EQ(extraction.splits->size(), 1u);
    EXPECT_EQ(extraction.splits->front().code, "P1");
    EXPECT_EQ(extraction.headings->row1.back(), "开发商70%");
    EXPECT_TRUE(extraction.canRun());
    EXPECT_TRUE(extraction.messages(report).empty());
}

TEST(DetailExtraction, AnErrorKeepsTheItemsReadAndLeavesSplitsAndHeadingsAlone) {
    NoDatabase db;
    ScriptedReport report;
    report.extraction.items = {kParking};
    report.extraction.error = ReportError{208, "对象名无效", false};
    auto extraction = ExtractDetailFeeItems(db, report, {});
    EXPECT_EQ(extraction.items.size(), 1u);
    EXPECT_FALSE(extraction.splits);
    EXPECT_FALSE(extraction.headings);
    EXPECT_TRUE(extraction.canRun());
    EXPECT_EQ(texts(extraction.messages(report)), std::vector<std::string>{"208对象名无效"});
}

TEST(DetailExtraction, NothingFoundIsSaidAfterTheError) {
    NoDatabase db;
    ScriptedReport report;
    EXPECT_EQ(texts(ExtractDetailFeeItems(db, report, {}).messages(report)), std::vector<std::string>{"没有收费项目!"});
    report.extraction.error = ReportError{208, "对象名无效", false};
    auto failed = ExtractDetailFeeItems(db, report, {});
    EXPECT_FALSE(failed.canRun());
    EXPECT_EQ(texts(failed.messages(report)), (std::vector<std::string>{"208对象名无效", "没有收费项目!"}));
}

TEST(DetailRun, RowsComeBackWithoutMessage) {
    NoDatabase db;
    ScriptedReport report;
    report.runOutcome = std::shared_ptr<const ReportResult>(std::make_shared<ScriptedRows>(3));
    auto run = RunDetailStatistics(db, report, {}, {kParking}, {});
    EXPECT_TRUE(run.found());
    EXPECT_FALSE(run.error);
    EXPECT_FALSE(run.headings);  // this report keeps the extraction's headings
}

TEST(DetailRun, NoRowIsSaidAsNothingFound) {
    NoDatabase db;
    ScriptedReport report;
    report.runOutcome = std::shared_ptr<const ReportResult>(std::make_shared<ScriptedRows>(0));
    auto run = RunDetailStatistics(db, report, {}, {kParking}, {});
    EXPECT_FALSE(run.found());
    ASSERT_TRUE(run.result);
    ASSERT_TRUE(run.error);
    EXPECT_TRUE(run.error->refusedSelection);
    EXPECT_EQ(run.error->messageText(), "无满足统计条件的数据，请重新设置统计条件！");
}

TEST(DetailRun, HeadingsLaidOutBeforeTheRunFollowTheSplitEvenWhenTheRunFails) {
    NoDatabase db;
    ScriptedReport report;
    report.relayBeforeRun = true;
    report.runOutcome = ReportError::refused("分成比例无效");
    SplitRatioRows splits{{"停车费", "55", "45", "P1"}};
    auto run = RunDetailStatistics(db, report, {}, {kParking}, splits);
    EXPECT_EQ(report.runs, 1);
    EXPECT_FALSE(run.result);
    ASSERT_TRUE(run.headings);
    EXPECT_EQ(run.headings->row1.back(), "开发商55%");
    EXPECT_EQ(run.error->messageText(), "分成比例无效");
}

TEST(DetailRun, RefusedPercentagesLayNoHeadingsAndRunNothing) {
    NoDatabase db;
    ScriptedReport report;
    report.relayBeforeRun = true;
    report.runOutcome = std::shared_ptr<const ReportResult>(std::make_shared<ScriptedRows>(3));
    auto run = RunDetailStatistics(db, report, {}, {kParking}, {{"停车费", "100", "abc", "P1"}});
    EXPECT_EQ(report.runs, 0);
    EXPECT_FALSE(run.splits);
    EXPECT_FALSE(run.headings);
    EXPECT_FALSE(run.result);
    ASSERT_TRUE(run.error);
    EXPECT_TRUE(run.error->refusedSelection);
    EXPECT_NE(run.error->messageText().find("\"abc\""), std::string::npos) << run.error->messageText();
}

TEST(DetailRun, HeadingsShowThePercentagesAsTheRunReadThem) {
    NoDatabase db;
    ScriptedReport report;
    report.relayBeforeRun = true;
    report.runOutcome = std::shared_ptr<const ReportResult>(std::make_shared<ScriptedRows>(3));
    auto run = RunDetailStatistics(db, report, {}, {kParking}, {{"停车费", "70%", "30%", "P1"}});
    EXPECT_TRUE(run.found());
    ASSERT_TRUE(run.headings);
    EXPECT_EQ(run.headings->row1.back(), "开发商70%");
    ASSERT_TRUE(run.splits);
    EXPECT_EQ((*run.splits)[0].propertyText, "30");
}
