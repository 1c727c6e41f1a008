-- Indexes that serve the report statements (created after the bulk load).
CREATE INDEX 票据_部门_开票日期 ON 票据 (开票部门编号, 开票日期);
CREATE INDEX 票据_入库单_编号 ON 票据 (入库单编号, 票据编号);
CREATE INDEX 票据开票数据_项目 ON 票据开票数据 (收费项目代号, 入库单编号, 票据编号);
CREATE INDEX 票据开票数据_票据 ON 票据开票数据 (入库单编号, 票据编号);
CREATE INDEX 票据入库单_编号 ON 票据入库单 (入库单编号);
CREATE INDEX 票据类型_代号 ON 票据类型 (票据类型代号);
CREATE INDEX setupsfxm_dh ON setupsfxm (dh);
CREATE INDEX 税控盘收费项目设置_dh ON 税控盘收费项目设置 (DH, 管理处);
