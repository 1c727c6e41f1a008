-- Indexes that serve the report statements (created after the bulk load; ANALYZE follows).
-- README ("Indexes for the report statements") gives the same set for SQL Server.
--
-- Every statement finds the department's invoices of the period through a range on the
-- issue date or the collection date, then their lines through the invoice. The indexes
-- carry the columns the statements test, so each step is one index seek and never a
-- table read, and a month costs the same whatever the years the database holds.

-- The department's invoices issued in a period.
CREATE INDEX 票据_部门_开票日期 ON 票据 (开票部门编号, 开票日期, 收款日期, 作废日期, 入库单编号, 票据编号);
-- The department's invoices collected in a period.
CREATE INDEX 票据_部门_收款日期 ON 票据 (开票部门编号, 收款日期, 开票日期, 作废日期, 入库单编号, 票据编号);
-- The invoice of a line. The number comes before the batch on purpose: an index that
-- begins with the batch lets the planner walk whole batches of one invoice type, and of
-- every office, instead of the office's invoices.
CREATE INDEX 票据_编号_入库单 ON 票据 (票据编号, 入库单编号, 开票部门编号, 开票日期, 收款日期, 作废日期);
-- The lines of one invoice, with their item and amounts.
CREATE INDEX 票据开票数据_票据 ON 票据开票数据 (票据编号, 入库单编号, 收费项目代号, 金额, 税额);
CREATE INDEX 票据入库单_编号 ON 票据入库单 (入库单编号, 票据类型编号);
CREATE INDEX 票据类型_代号 ON 票据类型 (票据类型代号);
CREATE INDEX setupsfxm_dh ON setupsfxm (dh);
CREATE INDEX 税控盘收费项目设置_dh ON 税控盘收费项目设置 (DH, 管理处, 税率);
