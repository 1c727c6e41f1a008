-- Tables of the fee database that Tallyvane reads, in the embedded engine's conventions:
-- date-times as ISO text 'YYYY-MM-DD HH:MM:SS' (a date alone 'YYYY-MM-DD' also accepted),
-- money and rates as REAL, missing values as NULL.
CREATE TABLE 票据 (
  票据编号 TEXT,
  入库单编号 TEXT,
  开票部门编号 TEXT,
  开票日期 TEXT,
  收款日期 TEXT,
  作废日期 TEXT,
  金额 REAL,
  收款方式 TEXT,
  付款人 TEXT,
  地址 TEXT,
  预开 INTEGER,
  被换票票据编号 TEXT,
  交易订单号 TEXT
);
CREATE TABLE 票据开票数据 (
  票据编号 TEXT,
  入库单编号 TEXT,
  收费项目代号 TEXT,
  金额 REAL,
  税额 REAL
);
CREATE TABLE 票据入库单 (
  入库单编号 TEXT,
  票据类型编号 TEXT
);
CREATE TABLE 票据类型 (
  票据类型代号 TEXT,
  票据类型 TEXT,
  定额 INTEGER
);
CREATE TABLE setupsfxm (
  dh TEXT,
  xm TEXT,
  税率 REAL,
  收费类别 TEXT,
  显示名称 TEXT
);
CREATE TABLE 税控盘收费项目设置 (
  DH TEXT,
  税率 REAL,
  管理处 TEXT
);
CREATE TABLE 设置管理处 (
  gyd_dh TEXT,
  gyd_name TEXT,
  对应部门代号 TEXT
);
CREATE TABLE 职能部门new (
  职能部门编号 TEXT,
  职能部门名称 TEXT,
  终止日期 TEXT
);
CREATE TABLE 收款方式列表 (
  收款方式 TEXT
);
