#include "DemoTableWriter.h"

#include "DemoCalendar.h"
#include "DemoMoney.h"
#include "DemoReferenceData.h"

namespace tally::demo {

namespace {

void writeDepartments(SqliteFile& file, int firstYear) {
    SqliteStatement insert(file, "INSERT INTO 职能部门new (职能部门编号, 职能部门名称, 终止日期) VALUES (?, ?, ?)");
    const std::string closedOn = momentText(momentOf({firstYear, 3, 31}));
    for (const DepartmentInfo& d : departments())
        insert.insert(d.code, d.name, d.closed ? std::optional<std::string_view>(closedOn) : std::nullopt);
}

void writeOffices(SqliteFile& file) {
    SqliteStatement insert(file, "INSERT INTO 设置管理处 (gyd_dh, gyd_name, 对应部门代号) VALUES (?, ?, ?)");
    for (const OfficeInfo& o : offices()) insert.insert(o.code, o.name, o.departmentCode);
}

void writeInvoiceTypes(SqliteFile& file) {
    SqliteStatement insert(file, "INSERT INTO 票据类型 (票据类型代号, 票据类型, 定额) VALUES (?, ?, ?)");
    for (const InvoiceTypeInfo& t : invoiceTypes()) insert.insert(t.code, t.name, t.fixedAmount);
}

void writeFeeItems(SqliteFile& file, const FeeItemSet& items) {
    SqliteStatement insert(file, "INSERT INTO setupsfxm (dh, xm, 税率, 收费类别, 显示名称) VALUES (?, ?, ?, ?, ?)");
    for (const FeeItemInfo& f : items.items())
        insert.insert(f.code, f.name, basisPointsToRate(f.rateBasisPoints), f.category, f.displayName);
}

bool rateMissing(std::string_view officeCode, int item) {
    for (const MissingTaxControlRate& m : missingTaxControlRates()) {
        if (m.officeCode == officeCode && m.item == item) return true;
    }
    return false;
}

// Each office's tax-control device knows the fee items of its department, once each.
void writeTaxControlSettings(SqliteFile& file, const FeeItemSet& items) {
    SqliteStatement insert(file, "INSERT INTO 税控盘收费项目设置 (DH, 税率, 管理处) VALUES (?, ?, ?)");
    for (const OfficeInfo& o : offices()) {
        const DepartmentInfo& department = departments()[departmentIndexOf(o.departmentCode)];
        for (const int item : items.itemsOf(department)) {
            const FeeItemInfo& info = items[static_cast<std::size_t>(item)];
            insert.insert(info.code,
                          rateMissing(o.code, item) ? std::nullopt
                                                    : std::optional<double>(basisPointsToRate(info.rateBasisPoints)),
                          o.code);
        }
    }
}

void writePaymentMethods(SqliteFile& file) {
    SqliteStatement insert(file, "INSERT INTO 收款方式列表 (收款方式) VALUES (?)");
    for (std::string_view method : listedPaymentMethods()) insert.insert(method);
}

void bindMoment(SqliteStatement& statement, int index, const std::optional<std::int64_t>& moment, char* buffer) {
    if (!moment) {
        statement.bindNull(index);
        return;
    }
    formatMoment(*moment, buffer);
    statement.bindText(index, std::string_view(buffer, 19));
}

}  // namespace

void writeReferenceTables(SqliteFile& file, int firstYear, const FeeItemSet& items) {
    writeDepartments(file, firstYear);
    writeOffices(file);
    writeInvoiceTypes(file);
    writeFeeItems(file, items);
    writeTaxControlSettings(file, items);
    writePaymentMethods(file);
}

void writeInvoices(SqliteFile& file, const InvoicePlan& plan, const FeeItemSet& items) {
    SqliteStatement batchInsert(file, "INSERT INTO 票据入库单 (入库单编号, 票据类型编号) VALUES (?, ?)");
    for (const PlannedBatch& b : plan.batches)
        batchInsert.insert(std::string_view(b.number), invoiceTypes()[b.type].code);

    SqliteStatement invoiceInsert(
        file,
        "INSERT INTO 票据 (票据编号, 入库单编号, 开票部门编号, 开票日期, 收款日期, 作废日期, 金额, 收款方式, "
        "付款人, 地址, 预开, 被换票票据编号, 交易订单号) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    SqliteStatement lineInsert(
        file, "INSERT INTO 票据开票数据 (票据编号, 入库单编号, 收费项目代号, 金额, 税额) VALUES (?, ?, ?, ?, ?)");
    char issued[20];
    char collected[20];
    char voided[20];
    for (const PlannedInvoice& invoice : plan.invoices) {
        const std::string& batch = plan.batches[invoice.batch].number;
        invoiceInsert.bindText(1, invoice.number);
        invoiceInsert.bindText(2, batch);
        invoiceInsert.bindText(3, departments()[invoice.department].code);
        bindMoment(invoiceInsert, 4, invoice.issued, issued);
        bindMoment(invoiceInsert, 5, invoice.collected, collected);
        bindMoment(invoiceInsert, 6, invoice.voided, voided);
        invoiceInsert.bindReal(7, centsToAmount(invoice.amountCents));
        if (invoice.payment >= 0) invoiceInsert.bindText(8, paymentChoices()[invoice.payment].name);
        invoiceInsert.bindText(9, invoice.payer);
        if (invoice.address) invoiceInsert.bindText(10, *invoice.address);
        invoiceInsert.bindInt(11, invoice.preIssued ? 1 : 0);
        if (invoice.exchange) invoiceInsert.bindText(12, invoice.exchangedNumber);
        if (!invoice.transactionNumber.empty()) invoiceInsert.bindText(13, invoice.transactionNumber);
        invoiceInsert.step();
        invoiceInsert.reset();

        for (int i = 0; i < invoice.lineCount; ++i) {
            const PlannedLine& line = plan.lines[invoice.firstLine + static_cast<std::size_t>(i)];
            lineInsert.bindText(1, invoice.number);
            lineInsert.bindText(2, batch);
            lineInsert.bindText(3, items[static_cast<std::size_t>(line.item)].code);
            lineInsert.bindReal(4, centsToAmount(line.amountCents));
            if (!line.taxMissing) lineInsert.bindReal(5, centsToAmount(line.taxCents));
            lineInsert.step();
            lineInsert.reset();
        }
    }
}

}  // namespace tally::demo
