// The demo file read the way the program reads it: through the data layer's SQLite engine, with
// statements as the report windows send them.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "DemoDatabase.h"
#include "DemoTestSupport.h"
#include "SqliteConnection.h"

namespace tally::demo {
namespace {

class DemoReportStatements : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        DemoOptions options;
        options.invoicesPerYear = 1500;
        path_ = testing::sharedDemoDatabase(options);
    }

    static std::vector<std::string> column(const std::string& sql, const std::string& name) {
        data::SqliteConnection connection(path_);
        auto rows = connection.open(sql);
        std::vector<std::string> values;
        for (; !rows->eof(); rows->moveNext()) values.push_back(rows->field(name).text());
        return values;
    }

    static inline std::string path_;
};

TEST_F(DemoReportStatements, DepartmentListSkipsTheClosedOneAndSortsShortCodesFirst) {
    const std::string sql = std::string("Select 职能部门编号,职能部门名称, gyd_dh, gyd_name ") + " From 设置管理处 " +
                            " Inner join 职能部门new on 对应部门代号=职能部门编号" +
                            " Where 职能部门new.终止日期 Is Null " + " Order by len(职能部门编号),职能部门编号";
    EXPECT_EQ(column(sql, "职能部门编号"), (std::vector<std::string>{"01", "02", "02", "11", "101"}));
}

TEST_F(DemoReportStatements, FeeItemExtractionFindsTheMaintenanceFundOfItsDepartmentOnly) {
    auto extraction = [](const std::string& department) {
        const std::string period =
            " And (Convert(Char(8),开票日期,112) Between '20250101' And '20251231'"
            " Or (Convert(Char(8),收款日期,112) Between '20250101' And '20251231' And "
            "CONVERT(char(8),开票日期,112)<CONVERT(char(8),收款日期,112)))";
        return std::string("Select distinct 收费项目代号, setupsfxm.税率,XM , 收费类别,显示名称") + " From 票据" +
               " inner join 票据开票数据 on 票据.票据编号  =票据开票数据.票据编号 And 票据.入库单编号 = "
               "票据开票数据.入库单编号" +
               " inner join 票据入库单 on 票据.入库单编号 =票据入库单.入库单编号" +
               " inner join setupsfxm on 收费项目代号=dh" + " Where  (作废日期 Is Null Or 作废日期 Is Not Null)" +
               period + " And 开票部门编号 ='" + department + "'" +
               " group by  setupsfxm.税率,收费项目代号,xm,收费类别,显示名称" + " order by 收费项目代号";
    };
    const auto withFund = column(extraction("02"), "xm");
    const auto withoutFund = column(extraction("01"), "xm");
    EXPECT_NE(std::find(withFund.begin(), withFund.end(), "维修基金"), withFund.end());
    EXPECT_EQ(std::find(withoutFund.begin(), withoutFund.end(), "维修基金"), withoutFund.end());
    EXPECT_NE(std::find(withoutFund.begin(), withoutFund.end(), "停车费(月租)"), withoutFund.end());
}

TEST_F(DemoReportStatements, InvoiceTypeListLeavesOutFixedAmountTickets) {
    const auto codes = column("Select * From 票据类型  where 定额=0 order by 票据类型代号 ", "票据类型代号");
    EXPECT_EQ(codes, (std::vector<std::string>{"01", "02", "03", "04", "05"}));
}

}  // namespace
}  // namespace tally::demo
