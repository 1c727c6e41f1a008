// tallyvane-report explain: the lines behind a reconciliation cell or a detail report's row,
// their total, and refusals.
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

// Parking collected at one moment on two invoices (one row), a third invoice replacing the
// first, and a pre-issued special invoice never collected.
const std::string kDetailRows = kTwoOffices + R"(
    INSERT INTO 票据类型 VALUES ('01','增值税普通发票',0), ('02','增值税专用发票',0);
    INSERT INTO 票据入库单 VALUES ('R1','01'), ('S1','02');
    INSERT INTO setupsfxm VALUES ('P1','停车费',0.09,'停车收费','停车'), ('W1','物业管理费',0.06,'物业','物业');
    INSERT INTO 收款方式列表 VALUES ('现金'), ('微信支付');
    INSERT INTO 票据 (票据编号,入库单编号,开票部门编号,开票日期,收款日期,金额,收款方式,付款人,地址,预开,交易订单号,
                      被换票票据编号) VALUES
      ('0001','R1','01','2024-03-05','2024-03-05 10:00:00',109,'现金','张三',NULL,0,NULL,NULL),
      ('0002','R1','01','2024-03-05','2024-03-05 10:00:00',54.5,'微信','张三',NULL,0,'T1',NULL),
      ('0003','R1','01','2024-03-06','2024-03-06 11:00:00',21.8,'微信','王五',NULL,0,NULL,'0001'),
      ('0004','S1','01','2024-03-10',NULL,215,NULL,'李四','3号楼',1,NULL,NULL);
    INSERT INTO 票据开票数据 VALUES ('0001','R1','P1',109,9), ('0002','R1','P1',54.5,4.5),
      ('0003','R1','P1',21.8,1.8), ('0004','S1','P1',109,9), ('0004','S1','W1',106,6);
)";

class ExplainDetailCli : public ReportToolTest {
protected:
    ExplainDetailCli() : ReportToolTest(kDetailRows) {}

    CommandResult explain(const std::string& kind, const std::string& place) {
        return runOnDatabase("explain " + kind + " --department 01 --from 2024-03-01 --to 2024-03-31 " + place +
                             " --format csv");
    }
};

TEST_F(ExplainDetailCli, ListsTheInvoicesOfARowOrATotalAndTheirTotal) {
    struct Case {
        const char* kind;
        const char* place;
        std::vector<std::string> numbers;  // of the listed lines, in order
        const char* total;
    };
    for (const Case& c : {Case{"parking", "--row 1", {"0001", "0002"}, "163.50"},          // the merged row
                          Case{"parking", "--row 3", {"0001", "0002", "0003"}, "185.30"},  // 合计
                          Case{"parking", "--row 5", {"0003"}, "21.80"},                   // 微信支付
                          Case{"pre-invoicing", "--row 1", {"0004", "0004"}, "215.00"},
                          Case{"vat-invoicing", "--row 3", {"0003"}, "0.00"}}) {  // the exchange invoice
        SCOPED_TRACE(std::string(c.kind) + " " + c.place);
        auto r = explain(c.kind, c.place);
        ASSERT_EQ(r.status, 0) << r.err;
        auto rows = csvRows(r.out.substr(3));  // after the byte-order mark
        ASSERT_EQ(rows.size(), c.numbers.size() + 2) << r.out;
        for (std::size_t i = 0; i < c.numbers.size(); ++i) EXPECT_EQ(rows[i + 1].front(), c.numbers[i]) << r.out;
        EXPECT_EQ(rows.back().front(), "合计");
        EXPECT_EQ(rows.back()[12], c.total) << r.out;
    }
    // The invoice 0003 replaced lists it; 0003 names the one it replaced.
    auto merged = csvRows(explain("parking", "--row 1").out.substr(3));
    ASSERT_EQ(merged.front().back(), "换开票据");
    EXPECT_EQ(merged[1].back(), "0003/R1");
    auto exchange = csvRows(explain("vat-invoicing", "--row 3").out.substr(3));
    ASSERT_GE(exchange.size(), 2u);
    EXPECT_EQ(exchange[1][13], "0001");
    EXPECT_EQ(exchange[1][12], "0.00") << "an exchange invoice adds nothing";
}

TEST_F(ExplainDetailCli, RefusesPlacesOutsideTheResult) {
    struct Case {
        const char* kind;
        const char* place;
        int status;
        const char* message;
    };
    for (const Case& c : {Case{"parking", "--row 6", 2, "--row 6 is outside the report's 5 rows"},
                          Case{"pre-invoicing", "--cell 1,4", 2, "the pre-invoicing report explains a --row N"},
                          Case{"parking", "--row 1 --split P1=70/x", 2, "不是0到100之间的数字"}}) {
        SCOPED_TRACE(std::string(c.kind) + " " + c.place);
        auto r = explain(c.kind, c.place);
        EXPECT_EQ(r.status, c.status);
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    auto nothing =
        runOnDatabase("explain pre-invoicing --department 01 --from 2025-03-01 --to 2025-03-31 --row 1 --format csv");
    EXPECT_EQ(nothing.status, 3);
}

}  // namespace
