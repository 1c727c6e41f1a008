#include "DemoInvoicePlan.h"

#include <algorithm>
#include <array>
#include <functional>

#include "DemoCalendar.h"
#include "DemoMoney.h"
#include "DemoPayers.h"
#include "DemoReferenceData.h"

namespace tally::demo {

namespace {

// What happens to an invoice between issue and the reports. Every scenario but Ordinary is
// also planted once at the start of each year so that small databases hold all of them.
enum class Scenario {
    Ordinary,
    CollectedLater,
    PreIssuedLaterMonth,
    PreIssuedSameMonth,
    PreIssuedNeverCollected,
    UncollectedUnflagged,
    VoidedPositive,
    VoidedNegative,
    Negative,
    ExchangePositive,
    ExchangeNegative,
    GroupPayment,
    MaintenanceFund,
    FixedAmountTicket,
    Count
};

// Per mille of the planning steps; group payments make 2 to 4 invoices each.
constexpr std::array<int, static_cast<int>(Scenario::Count)> kScenarioWeights{
    800, 60, 35, 10, 15, 5, 25, 5, 15, 15, 5, 10, 0, 0,
};

constexpr int kLineCountWeights[] = {10, 25, 30, 20, 15};  // 1 … 5 lines, about 3 on average
constexpr std::int64_t kTicketDenominations[] = {500, 1000, 2000, 5000};
constexpr int kOpeningSecond = 8 * 3600 + 30 * 60;
constexpr int kClosingSecond = 18 * 3600;

class Planner {
public:
    Planner(const DemoOptions& options, DemoRandom& random)
        : options_(options),
          random_(random),
          coverageEnd_(momentOf({options.firstYear + options.years, 1, 1})),
          closureDay_(daysFromCivil({options.firstYear, 3, 31})) {}

    InvoicePlan run() {
        for (int y = 0; y < options_.years; ++y) planYear(options_.firstYear + y);
        std::sort(plan_.invoices.begin(), plan_.invoices.end(), [](const PlannedInvoice& a, const PlannedInvoice& b) {
            return a.issued != b.issued ? a.issued < b.issued : a.sequence < b.sequence;
        });
        return std::move(plan_);
    }

private:
    void planYear(int year) {
        std::int64_t remaining = options_.invoicesPerYear;
        int planted = 1;  // Ordinary needs no planting
        while (remaining > 0) {
            Scenario scenario;
            if (planted < static_cast<int>(Scenario::Count)) scenario = static_cast<Scenario>(planted++);
            else scenario = static_cast<Scenario>(random_.weighted(kScenarioWeights));
            remaining -= scenario == Scenario::GroupPayment ? planGroup(year, remaining) : planSingle(year, scenario);
        }
    }

    std::int64_t planSingle(int year, Scenario scenario) {
        const std::int64_t issued = drawIssueMoment(year);
        PlannedInvoice invoice = startInvoice(issued, scenario);
        const DepartmentInfo& department = departments()[invoice.department];
        const bool negative = scenario == Scenario::VoidedNegative || scenario == Scenario::Negative ||
                              scenario == Scenario::ExchangeNegative;
        invoice.firstLine = plan_.lines.size();
        if (invoiceTypes()[invoice.type].fixedAmount != 0) {
            addLine(invoice, kTemporaryParking, kTicketDenominations[random_.below(std::size(kTicketDenominations))]);
        } else {
            const auto count = static_cast<int>(random_.weighted(kLineCountWeights)) + 1;
            for (int i = 0; i < count; ++i) {
                const int item = scenario == Scenario::MaintenanceFund && i == 0
                                     ? kMaintenanceFund
                                     : static_cast<int>(random_.weighted(department.itemWeights));
                const std::int64_t cents = drawAmount(feeItems()[item]);
                addLine(invoice, item, negative ? -cents : cents);
            }
        }
        settle(invoice, scenario);
        plan_.invoices.push_back(std::move(invoice));
        return 1;
    }

    // Several months paid at once: invoices issued together and collected at the same moment.
    std::int64_t planGroup(int year, std::int64_t remaining) {
        const std::int64_t count = std::min<std::int64_t>(random_.between(2, 4), remaining);
        const std::int64_t issued = drawIssueMoment(year);
        PlannedInvoice first = startInvoice(issued, Scenario::GroupPayment);
        const DepartmentInfo& department = departments()[first.department];
        const int item = department.itemWeights[kMonthlyParking] > 0 ? kMonthlyParking : kPropertyFee;
        const std::int64_t cents = drawAmount(feeItems()[item]);
        settle(first, Scenario::GroupPayment);
        for (std::int64_t i = 0; i < count; ++i) {
            PlannedInvoice invoice = first;
            invoice.sequence = nextSequence_++;
            invoice.firstLine = plan_.lines.size();
            addLine(invoice, item, cents);
            plan_.invoices.push_back(std::move(invoice));
        }
        return count;
    }

    PlannedInvoice startInvoice(std::int64_t issued, Scenario scenario) {
        PlannedInvoice invoice;
        invoice.sequence = nextSequence_++;
        invoice.issued = issued;
        std::function<bool(const DepartmentInfo&)> fits = [](const DepartmentInfo&) { return true; };
        if (scenario == Scenario::MaintenanceFund)
            fits = [](const DepartmentInfo& d) { return d.itemWeights[kMaintenanceFund] > 0; };
        else if (scenario == Scenario::FixedAmountTicket)
            fits = [](const DepartmentInfo& d) { return d.typeWeights[kFixedAmountTicket] > 0; };
        invoice.department = drawDepartment(dayOf(issued), fits);
        const DepartmentInfo& department = departments()[invoice.department];
        invoice.type = scenario == Scenario::FixedAmountTicket ? kFixedAmountTicket
                                                               : drawType(department, scenario == Scenario::Ordinary);
        Payer payer = makePayer(random_, department);
        invoice.payer = std::move(payer.name);
        invoice.address = std::move(payer.address);
        return invoice;
    }

    void addLine(PlannedInvoice& invoice, int item, std::int64_t cents) {
        PlannedLine line{item, cents, includedTaxCents(cents, feeItems()[item].rateBasisPoints),
                         random_.chance(3, 100)};
        plan_.lines.push_back(line);
        ++invoice.lineCount;
        invoice.amountCents += cents;
    }

    // Collection, voiding, the flags and the payment of an invoice.
    void settle(PlannedInvoice& invoice, Scenario scenario) {
        const std::int64_t day = dayOf(invoice.issued);
        switch (scenario) {
        case Scenario::CollectedLater: invoice.collected = atBusinessHours(day + random_.between(1, 20)); break;
        case Scenario::PreIssuedLaterMonth:
            invoice.preIssued = true;
            invoice.collected = atBusinessHours(dayOf(startOfNextMonth(invoice.issued)) + random_.between(0, 59));
            break;
        case Scenario::PreIssuedSameMonth: {
            invoice.preIssued = true;
            const std::int64_t lastDay = dayOf(startOfNextMonth(invoice.issued)) - 1;
            invoice.collected =
                lastDay > day ? atBusinessHours(random_.between(day + 1, lastDay)) : sameDayLater(invoice.issued);
            break;
        }
        case Scenario::PreIssuedNeverCollected: invoice.preIssued = true; break;
        case Scenario::UncollectedUnflagged: break;
        case Scenario::VoidedPositive:
        case Scenario::VoidedNegative:
            if (random_.chance(7, 10)) invoice.collected = collectedSameDay(invoice.issued);
            invoice.voided =
                random_.chance(2, 3) ? sameDayLater(invoice.issued) : atBusinessHours(day + random_.between(1, 3));
            if (*invoice.voided >= coverageEnd_) invoice.voided = sameDayLater(invoice.issued);
            break;
        case Scenario::ExchangePositive:
        case Scenario::ExchangeNegative:
            invoice.exchange = true;
            invoice.collected = collectedSameDay(invoice.issued);
            break;
        default: invoice.collected = collectedSameDay(invoice.issued); break;
        }
        // Money that arrives after the covered years has not arrived yet.
        if (invoice.collected && *invoice.collected >= coverageEnd_) invoice.collected.reset();
        if (!invoice.collected) return;
        // A few cashiers leave the method empty.
        if (random_.chance(1, 50)) return;
        invoice.payment = static_cast<int>(random_.weighted(paymentWeights()));
        const PaymentChoice& choice = paymentChoices()[invoice.payment];
        if (choice.online)
            invoice.transactionNumber =
                makeTransactionNumber(random_, choice.name, momentText(*invoice.collected).substr(0, 10));
    }

    std::int64_t collectedSameDay(std::int64_t issued) { return random_.chance(7, 10) ? issued : sameDayLater(issued); }

    std::int64_t sameDayLater(std::int64_t moment) {
        const std::int64_t endOfDay = (dayOf(moment) + 1) * kSecondsPerDay - 1;
        return std::min(moment + random_.between(60, 7200), endOfDay);
    }

    std::int64_t atBusinessHours(std::int64_t day) {
        return day * kSecondsPerDay + random_.between(kOpeningSecond, kClosingSecond - 1);
    }

    std::int64_t drawIssueMoment(int year) {
        const std::int64_t first = daysFromCivil({year, 1, 1});
        const std::int64_t count = daysFromCivil({year + 1, 1, 1}) - first;
        std::int64_t day = first + static_cast<std::int64_t>(random_.below(static_cast<std::uint64_t>(count)));
        const int weekday = weekdayOfDay(day);
        // Offices are quieter at weekends.
        if ((weekday == 0 || weekday == 6) && random_.chance(1, 2))
            day = first + static_cast<std::int64_t>(random_.below(static_cast<std::uint64_t>(count)));
        return atBusinessHours(day);
    }

    int drawDepartment(std::int64_t day, const std::function<bool(const DepartmentInfo&)>& fits) {
        std::vector<int> weights;
        bool any = false;
        for (const DepartmentInfo& d : departments()) {
            const bool open = !d.closed || day < closureDay_;
            weights.push_back(open && fits(d) ? d.invoiceWeight : 0);
            any = any || weights.back() > 0;
        }
        if (!any) {
            for (std::size_t i = 0; i < weights.size(); ++i)
                weights[i] = departments()[i].closed ? 0 : departments()[i].invoiceWeight;
        }
        return static_cast<int>(random_.weighted(weights));
    }

    int drawType(const DepartmentInfo& department, bool fixedAllowed) {
        std::array<int, kInvoiceTypeCount> weights = department.typeWeights;
        if (!fixedAllowed) weights[kFixedAmountTicket] = 0;
        return static_cast<int>(random_.weighted(weights));
    }

    std::int64_t drawAmount(const FeeItemInfo& item) {
        const std::int64_t steps = (item.maxCents - item.minCents) / item.stepCents;
        return item.minCents + random_.between(0, steps) * item.stepCents;
    }

    static std::span<const int> paymentWeights() {
        static const std::vector<int> weights = [] {
            std::vector<int> w;
            for (const PaymentChoice& c : paymentChoices()) w.push_back(c.weight);
            return w;
        }();
        return weights;
    }

    const DemoOptions& options_;
    DemoRandom& random_;
    const std::int64_t coverageEnd_;
    const std::int64_t closureDay_;
    std::int64_t nextSequence_ = 0;
    InvoicePlan plan_;
};

}  // namespace

InvoicePlan planInvoices(const DemoOptions& options, DemoRandom& random) { return Planner(options, random).run(); }

}  // namespace tally::demo
