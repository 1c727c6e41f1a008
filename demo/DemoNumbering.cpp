#include "DemoNumbering.h"

#include <algorithm>
#include <map>
#include <string>

#include "DemoCalendar.h"
#include "DemoReferenceData.h"

namespace tally::demo {

namespace {

std::string zeroPadded(std::int64_t value, int digits) {
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < digits) text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
    return text;
}

std::string formatNumber(const NumberSeries& series, std::int64_t value, int issueYear) {
    std::string text;
    if (series.yearPrefix) text = zeroPadded(issueYear % 100, 2) + "442000";
    return text + zeroPadded(value, series.digits);
}

// The forms of one department and invoice type: the batch in use and the numbers left in it.
// A batch may start with numbers repeated from the previous one, then runs on with fresh ones.
struct FormStream {
    bool open = false;
    int batchesOpened = 0;
    std::size_t batch = 0;
    std::int64_t repeatNext = 0;
    std::int64_t repeatEnd = 0;
    std::int64_t next = 0;
    std::int64_t end = 0;

    bool exhausted() const { return repeatNext == repeatEnd && next == end; }
    std::int64_t take() { return repeatNext < repeatEnd ? repeatNext++ : next++; }
};

// The second receipt book of each department was printed with the last numbers of the first one
// again, so a few numbers exist twice in one department, in different batches.
constexpr std::int64_t kRepeatedReceiptNumbers = 10;

class Numbering {
public:
    explicit Numbering(InvoicePlan& plan, DemoRandom& random) : plan_(plan), random_(random) {
        for (const InvoiceTypeInfo& type : invoiceTypes()) seriesNext_.push_back(type.series.firstNumber);
    }

    void run() {
        std::vector<std::vector<std::size_t>> issuedBy(departments().size());
        for (std::size_t i = 0; i < plan_.invoices.size(); ++i) {
            PlannedInvoice& invoice = plan_.invoices[i];
            const int year = civilFromDays(dayOf(invoice.issued)).year;
            FormStream& stream = streams_[{invoice.department, invoice.type}];
            if (!stream.open || stream.exhausted()) openBatch(stream, invoice.type, year);
            invoice.batch = stream.batch;
            invoice.number = formatNumber(invoiceTypes()[invoice.type].series, stream.take(), year);
            std::vector<std::size_t>& earlier = issuedBy[invoice.department];
            if (invoice.exchange) linkExchange(invoice, earlier);
            else earlier.push_back(i);
        }
    }

private:
    void openBatch(FormStream& stream, int type, int year) {
        const InvoiceTypeInfo& info = invoiceTypes()[type];
        const bool secondReceiptBook = type == kReceipt && stream.batchesOpened == 1;
        const std::int64_t repeated =
            secondReceiptBook ? std::min<std::int64_t>(kRepeatedReceiptNumbers, info.batchSize - 1) : 0;
        stream.repeatNext = stream.end - repeated;
        stream.repeatEnd = stream.end;
        stream.next = seriesNext_[type];
        stream.end = stream.next + info.batchSize - repeated;
        seriesNext_[type] = stream.end;
        stream.open = true;
        ++stream.batchesOpened;
        stream.batch = plan_.batches.size();
        const int sequence = ++batchesInYear_[year];
        plan_.batches.push_back({"RK" + zeroPadded(year, 4) + zeroPadded(sequence, 5), type});
    }

    // Exchange invoices replace an earlier invoice of the same department; the payer carries over.
    void linkExchange(PlannedInvoice& invoice, const std::vector<std::size_t>& earlier) {
        if (earlier.empty()) {
            // Nothing earlier in the covered years: the original came from before them.
            invoice.exchangedNumber = zeroPadded(random_.between(1, 99999), 8);
            return;
        }
        const std::uint64_t window = std::min<std::uint64_t>(earlier.size(), 200);
        const PlannedInvoice& original = plan_.invoices[earlier[earlier.size() - 1 - random_.below(window)]];
        invoice.exchangedNumber = original.number;
        invoice.payer = original.payer;
        invoice.address = original.address;
    }

    InvoicePlan& plan_;
    DemoRandom& random_;
    std::vector<std::int64_t> seriesNext_;
    std::map<std::pair<int, int>, FormStream> streams_;
    std::map<int, int> batchesInYear_;
};

}  // namespace

void assignNumbers(InvoicePlan& plan, DemoRandom& random) { Numbering(plan, random).run(); }

}  // namespace tally::demo
