#pragma once
// Rows that several end-to-end tests start from: the office they report on and a small
// month of reconciliation data, as statements for TestDatabase::exec.
#include <string>

namespace tally::testing {

// Department 01 (一部) of the office 翠湖管理处 (GL01).
inline const std::string kCuihuOffice =
    "INSERT INTO 职能部门new VALUES ('01','一部',NULL);"
    "INSERT INTO 设置管理处 VALUES ('GL01','翠湖管理处','01');";

// 翠湖管理处 and beside it department 02 (二部) of the office 二号 (GL02).
inline const std::string kTwoOffices = kCuihuOffice +
                                       "INSERT INTO 职能部门new VALUES ('02','二部',NULL);"
                                       "INSERT INTO 设置管理处 VALUES ('GL02','二号','02');";

// 翠湖管理处 with 物业管理费 (W1) at 6 % on its tax-control disk: a special invoice of
// 106.00 issued and collected on 2024-03-05, an ordinary one of 53.00 issued on 2024-03-20
// and not collected; the receipt type exists but is not used.
inline const std::string kCuihuReconciliationMarch = kCuihuOffice + R"(
    INSERT INTO 票据类型 VALUES ('01','增值税专用发票',0), ('02','增值税普通发票',0), ('03','收据',0);
    INSERT INTO 票据入库单 VALUES ('R1','01'), ('R2','02');
    INSERT INTO setupsfxm VALUES ('W1','物业管理费',0.06,'物业','物业');
    INSERT INTO 税控盘收费项目设置 VALUES ('W1',0.06,'GL01');
    INSERT INTO 票据 (票据编号,入库单编号,开票部门编号,开票日期,收款日期,金额) VALUES
      ('0001','R1','01','2024-03-05','2024-03-05',106), ('0002','R2','01','2024-03-20',NULL,53);
    INSERT INTO 票据开票数据 VALUES ('0001','R1','W1',106,6), ('0002','R2','W1',53,3);
)";

}  // namespace tally::testing
