#include <gtest/gtest.h>

#include "Departments.h"
#include "TestDatabase.h"

using namespace tally::reports;

TEST(Departments, ActiveDepartmentsShorterCodesFirstOnOneLine) {
    tally::testing::TestDatabase db;
    db.exec(R"(
        INSERT INTO 职能部门new VALUES ('101','三部',NULL), ('02','二部',NULL), ('9','九部',NULL), ('03','撤销部','2020-01-01');
        INSERT INTO 设置管理处 VALUES ('GL101','三号【新】管理处','101'), ('GL02','二号'||char(13)||char(10)||'管理处','02'),
                                     ('GL9','九号','9'), ('GL03','旧','03');
        INSERT INTO 票据类型 VALUES ('B','收据',0), ('A','增值税专用发票',0), ('Q','定额',1), ('C''X','怪',0);
    )");
    auto connection = db.connect();
    auto list = LoadDepartmentList(*connection);
    ASSERT_FALSE(list.error.has_value());
    ASSERT_EQ(list.entries.size(), 3u);
    EXPECT_EQ(list.entries[0].displayText(), "9 九号【GL9】");
    EXPECT_EQ(list.entries[1].displayText(), "02 二号管理处【GL02】");
    // a name holding 【 keeps its office code as data
    EXPECT_EQ(list.entries[2].officeCode, "GL101");
    EXPECT_EQ(list.entries[2].officeName, "三号【新】管理处");
    EXPECT_EQ(LoadInvoiceTypeList(*connection).value(), "'A','B','C''X'");
    EXPECT_EQ(findDepartment(list.entries, "02")->officeCode, "GL02");
    EXPECT_FALSE(findDepartment(list.entries, "02", "GL9").has_value());
}

TEST(Departments, AnErrorKeepsWhatWasLoaded) {
    tally::testing::TestDatabase db;
    db.exec("DROP TABLE 设置管理处");
    auto connection = db.connect();
    auto list = LoadDepartmentList(*connection);
    ASSERT_TRUE(list.error.has_value());
    EXPECT_TRUE(list.entries.empty());
    EXPECT_NE(list.error->description.find("设置管理处"), std::string::npos);
}
