// The VAT invoicing statements against the reference over generated and hostile databases.
#include <gtest/gtest.h>

#include "DetailReportParts.h"
#include "PaymentMethods.h"
#include "PerInvoiceRows.h"
#include "ReferenceVatInvoicingStatements.h"
#include "Selections.h"
#include "VatInvoicingReport.h"
#include "VatInvoicingStatements.h"

namespace tally::testing::equivalence {
namespace {

namespace vat = reports::vat;
namespace reference = tally::reference::vat;

const OrderColumns kByCode{0};
const OrderColumns kByDayNumberAndBatch{0, 1, 2};  // 开票日期 (its day), 票据编号, 入库单编号

// The report's rows as cells: what the grid and the sheet show of them, and the marks.
ResultSet asResult(const std::vector<vat::InvoiceDetailRow>& rows) {
    ResultSet result;
    result.columns = {"日期",     "票据编号", "入库单编号", "专用发票", "普通发票", "电子发票", "收据",
                      "付款方式", "付款人",   "作废",       "换票",     "预开",     "合计",     "金额"};
    for (const auto& row : rows) {
        Row cells{Cell::ofText(row.dateText),        Cell::ofText(row.invoiceNumber),
                  Cell::ofText(row.batch),           Cell::ofText(row.specialNumber),
                  Cell::ofText(row.ordinaryNumber),  Cell::ofText(row.electronicNumber),
                  Cell::ofText(row.receiptNumber),   Cell::ofText(row.methodText),
                  Cell::ofText(row.payerText),       Cell::ofNumber(row.voided),
                  Cell::ofNumber(row.exchange),      Cell::ofNumber(row.inAdvance),
                  Cell::ofNumber(double(row.total)), Cell::ofText("")};
        for (reports::Cents v : row.values) cells.back().text += std::to_string(v) + " ";
        result.rows.push_back(std::move(cells));
    }
    return result;
}

// The reference statement's rows, read as the report read them before it summed the lines itself.
ResultSet referenceRows(data::Connection& connection, const std::string& sql, const vat::RowContext& context) {
    auto rs = connection.open(sql, data::Connection::kNoTimeout);
    std::vector<vat::InvoiceDetailRow> rows;
    for (; !rs->eof(); rs->moveNext()) rows.push_back(vat::buildInvoiceRow(*rs, context));
    return asResult(rows);
}

// Lists with the 维修基金 item left out, as an office without the fund runs them.
reports::FeeItemList withoutMaintenanceFund(const reports::FeeItemList& items) {
    reports::FeeItemList plain;
    for (const auto& item : items)
        if (item.cleanedName != "维修基金") plain.push_back(item);
    return plain;
}

void checkRun(Equivalence& equivalence, data::Connection& connection, Random& random, const DetailSelection& s,
              const std::string& typeList, const reports::FeeItemList& items) {
    if (items.empty()) return;  // the report only runs once an item was extracted
    auto ratios = reports::propertyRatios(items, randomSplits(items, random));
    ASSERT_TRUE(ratios.ok()) << ratios.error().description;
    const vat::StatementInput in{s.department.departmentCode, s.fromKey, s.toKey, typeList, items, ratios.value()};
    const std::string shown = s.shown() + ", types " + typeList + ", items " + shownItems(items, ratios.value());
    // the report's rows per invoice, put together from the invoices and their lines of the items
    const vat::RowContext context{&items, s.fromKey.substr(0, 6), s.toKey, reports::ValueColumnLayout(items)};
    equivalence.compare(
        "perInvoiceRows", shown, [&] { return asResult(vat::readPerInvoiceRows(connection, in, context)); },
        vat::itemLinesStatement(in) + ";\n" + vat::invoicesStatement(in),
        [&] { return referenceRows(connection, reference::perInvoiceStatement(in), context); }, kByDayNumberAndBatch);
}

void checkVatInvoicing(Equivalence& equivalence, data::Connection& connection, Random& random, const Corpus& corpus) {
    auto typeList = reports::LoadInvoiceTypeList(connection);
    ASSERT_TRUE(typeList.ok()) << typeList.error().description;
    for (const DetailSelection& s : detailSelections(connection, random, corpus)) {
        const std::string& department = s.department.departmentCode;
        const std::string extraction = vat::extractionStatement(department, s.fromKey, s.toKey);
        equivalence.compare(connection, "extractionStatement", s.shown(), extraction,
                            reference::extractionStatement(department, s.fromKey, s.toKey), kByCode);
        // The items as the report reads them: from the program's extraction rows.
        auto read = reports::ReadFeeItems(connection, extraction);
        if (read.error) continue;  // the report shows the error and stops; the rows were compared above
        // The whole list (with 维修基金 when the period has it, so the report lists line by line),
        // the list without it, and some of the items.
        checkRun(equivalence, connection, random, s, typeList.value(), read.items);
        if (vat::HasMaintenanceFund(read.items))
            checkRun(equivalence, connection, random, s, typeList.value(), withoutMaintenanceFund(read.items));
        checkRun(equivalence, connection, random, s, typeList.value(), randomSubset(read.items, random));
    }
}

// The line-by-line rows count every line once where the statement as first built repeated
// lines; their totals are checked against the per-invoice run (VatLineDetailTest.cpp).
const std::vector<std::string> kKinds{"extractionStatement", "perInvoiceRows"};

TEST(VatInvoicingEquivalence, DemoDatabasesGiveTheReferenceRows) { checkDemoDatabases(kKinds, checkVatInvoicing); }

TEST(VatInvoicingEquivalence, HostileDatabasesGiveTheReferenceRows) {
    checkHostileDatabases(kKinds, checkVatInvoicing);
}

}  // namespace
}  // namespace tally::testing::equivalence
