// tallyvane-report explain: the lines behind a reconciliation cell, their total, and refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "OfficeRows.h"
#include "ReportToolTest.h"

using namespace tally::testing;

namespace {

std::vector<std::vector<std::string>> csvRows(const std::string& out) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> cells;
        std::istringstream fields(line);
        for (std::string cell; std::getline(fields, cell, ',');) cells.push_back(cell);
        if (!line.empty() && line.back() == ',') cells.emplace_back();
        rows.push_back(std::move(cells));
    }
    return rows;
}

class ExplainCli : public ReportToolTest {
protected:
    ExplainCli() : ReportToolTest(kCuihuReconciliationMarch) {}

    CommandResult explain(const std::string& place, const std::string& format = "csv") {
        return runOnDatabase("explain reconciliation --department 01 --year 2024 --start-month 03 --end-month 03 " +
                             place + " --format " + format);
    }
};

TEST_F(ExplainCli, ListsTheLinesOfACellAndTheirTotalAsTheCellShowsIt) {
    struct Case {
        const char* place;
        const char* total;
        const char* column;  // a heading every listed line must hold a value under
    };
    // 专用发票 金额 of the rate row, 物业管理费 hand-over of the total row, 当月未收预开 of the subtotal
    for (const Case& c : {Case{"--cell 1,4", "100.00", "票据类型"}, Case{"--cell 3,9", "106.00", "收款日期"},
                          Case{"--cell 2,12", "53.00", "开票日期"}}) {
        SCOPED_TRACE(c.place);
        auto r = explain(c.place);
        ASSERT_EQ(r.status, 0) << r.err;
        auto rows = csvRows(r.out.substr(3));  // after the byte-order mark
        ASSERT_GE(rows.size(), 3u) << r.out;   // headings, at least one line, the total
        const auto& headings = rows.front();
        const auto at = std::find(headings.begin(), headings.end(), c.column) - headings.begin();
        ASSERT_LT(static_cast<std::size_t>(at), headings.size());
        for (std::size_t i = 1; i + 1 < rows.size(); ++i) {
            ASSERT_EQ(rows[i].size(), headings.size()) << r.out;
            EXPECT_FALSE(rows[i][static_cast<std::size_t>(at)].empty()) << r.out;
        }
        EXPECT_EQ(rows.back().front(), "合计");
        EXPECT_EQ(rows.back().back(), c.total) << r.out;
    }
    auto special = explain("--cell 1,4");
    EXPECT_NE(special.out.find("增值税专用发票"), std::string::npos) << special.out;
    EXPECT_EQ(special.out.find("增值税普通发票"), std::string::npos) << "an ordinary invoice in the special column";

    auto json = explain("--cell 1,4", "json");
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_NE(json.out.find("\"title\": \"2024年度【翠湖管理处】票据核对表 第1行 增值税专用发票/金额 100.00\""),
              std::string::npos)
        << json.out;
}

TEST_F(ExplainCli, RefusesPlacesWithoutLinesAndBadArguments) {
    struct Case {
        const char* arguments;
        const char* message;
    };
    for (const Case& c :
         {Case{"--cell 1,1", "该单元格不是金额，没有明细"}, Case{"--cell 1,13", "该单元格不是金额"},
          Case{"--cell 9,4", "outside the report's 3 rows"}, Case{"--row 1", "explains a --cell"},
          Case{"--cell 0,4", "--cell a row and a column from 1"}, Case{"--cell 1", "--cell a row and a column from 1"},
          Case{"--cell 1,4 --row 1", "explain takes --row N or --cell ROW,COL"},
          Case{"--cell 1,4 --format xlsx --output x.xlsx", "explain writes --format json or csv"}}) {
        SCOPED_TRACE(c.arguments);
        auto r = runOnDatabase(std::string("explain reconciliation --department 01 --year 2024 --start-month 03 "
                                           "--end-month 03 ") +
                               c.arguments);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    auto cellWithoutExplain =
        runOnDatabase("reconciliation --department 01 --year 2024 --start-month 03 --end-month 03 --cell 1,4");
    EXPECT_EQ(cellWithoutExplain.status, 2);
    EXPECT_NE(cellWithoutExplain.err.find("--row and --cell go with explain"), std::string::npos);

    auto nothing =
        runOnDatabase("explain reconciliation --department 01 --year 2024 --start-month 04 --end-month 04 --cell 1,4");
    EXPECT_EQ(nothing.status, 3);
    EXPECT_NE(nothing.err.find("没有满足条件的开票数据,请重新设置条件!"), std::string::npos) << nothing.err;
}

}  // namespace
