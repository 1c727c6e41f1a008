#pragma once
// The invoices of the demo database, planned in memory before anything is written:
// who issued what, when it was collected or voided, and its fee lines.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "DemoDatabase.h"
#include "DemoRandom.h"
#include "DemoReferenceData.h"

namespace tally::demo {

struct PlannedLine {
    int item;  // index into feeItems()
    std::int64_t amountCents;
    std::int64_t taxCents;
    bool taxMissing;  // 税额 left Null
};

struct PlannedInvoice {
    std::int64_t sequence;  // planning order; breaks ties between equal issue moments
    std::int64_t issued;    // moments as in DemoCalendar.h
    std::optional<std::int64_t> collected;
    std::optional<std::int64_t> voided;
    int department;          // index into departments()
    int type;                // index into invoiceTypes()
    bool preIssued = false;  // 预开
    bool exchange = false;   // issued in exchange for an earlier invoice
    int payment = -1;        // index into paymentChoices(); -1 leaves 收款方式 Null
    std::string payer;
    std::optional<std::string> address;
    std::string transactionNumber;  // empty: Null
    std::size_t firstLine = 0;
    int lineCount = 0;
    std::int64_t amountCents = 0;
    // Filled in by assignNumbers().
    std::size_t batch = 0;
    std::string number;
    std::string exchangedNumber;
};

struct PlannedBatch {
    std::string number;  // 入库单编号
    int type;
};

struct InvoicePlan {
    std::vector<PlannedInvoice> invoices;  // in issue order
    std::vector<PlannedLine> lines;
    std::vector<PlannedBatch> batches;  // in the order they were opened
};

// Exactly options.invoicesPerYear invoices issued in each covered year, ordered by issue moment.
// The rare cases (voided, negative, exchange, pre-issued, group payments, …) each appear at least
// once a year when the year has enough invoices for all of them.
InvoicePlan planInvoices(const DemoOptions& options, DemoRandom& random);

// For an extended item set: gives the lines other fee items so that in every month in which a
// department issues invoices, each item it uses is on one of them. The invoices stay as planned
// (count, numbers, moments, payers, amounts); an invoice may get more lines, its amount then split
// over them, and keeps its line amounts otherwise. Fixed-amount tickets keep their one line, and
// no invoice gets an item twice. Draws from `random` only.
void spreadLinesOverItems(InvoicePlan& plan, const FeeItemSet& items, DemoRandom& random);

}  // namespace tally::demo
