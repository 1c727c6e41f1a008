-- Indexes that serve the report statements (created after the bulk load; ANALYZE follows).
-- README ("Indexes for the report statements") gives the same set for SQL Server.
--
-- Every per-item derived table joins 票据开票数据, 票据, 票据入库单 and 票据类型 and tests
-- the department, the invoice and collection dates and the void date. The indexes carry
-- those columns, so each step of such a join is one index lookup and never a table read.

-- An office's invoices: the outer lists of the detail reports, and the reconciliation's
-- month scans, which test the month of 开票日期 or 收款日期 on every invoice of the office.
CREATE INDEX 票据_部门_开票日期 ON 票据 (开票部门编号, 开票日期, 收款日期, 作废日期, 入库单编号, 票据编号);
-- The invoice of a line. The number comes before the batch on purpose: an index that
-- begins with the batch lets the planner walk whole batches of one invoice type, and of
-- every office, instead of the office's invoices.
CREATE INDEX 票据_编号_入库单 ON 票据 (票据编号, 入库单编号, 开票部门编号, 开票日期, 收款日期, 作废日期);
-- The lines of one fee item (the per-item sums of the detail reports), with their amounts.
CREATE INDEX 票据开票数据_项目 ON 票据开票数据 (收费项目代号, 票据编号, 入库单编号, 金额, 税额);
-- The lines of one invoice, with their item and amounts.
CREATE INDEX 票据开票数据_票据 ON 票据开票数据 (票据编号, 入库单编号, 收费项目代号, 金额, 税额);
-- An office's exchange invoices: the second part of the VAT invoicing statement sums
-- their lines only.
CREATE INDEX 票据_换票 ON 票据 (开票部门编号, 票据编号, 入库单编号) WHERE 被换票票据编号 IS NOT NULL;
CREATE INDEX 票据入库单_编号 ON 票据入库单 (入库单编号, 票据类型编号);
CREATE INDEX 票据类型_代号 ON 票据类型 (票据类型代号);
CREATE INDEX setupsfxm_dh ON setupsfxm (dh);
CREATE INDEX 税控盘收费项目设置_dh ON 税控盘收费项目设置 (DH, 管理处, 税率);
