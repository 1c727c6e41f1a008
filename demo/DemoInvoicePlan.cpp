#include "DemoInvoicePlan.h"

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <queue>
#include <utility>

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

template <typename T>
void shuffle(std::vector<T>& values, DemoRandom& random) {
    for (std::size_t i = values.size(); i > 1; --i) std::swap(values[i - 1], values[random.below(i)]);
}

// `cents` in `parts` non-zero amounts of its sign that add up to it (zeros only when it has
// fewer cents than parts).
std::vector<std::int64_t> splitAmount(std::int64_t cents, std::size_t parts, DemoRandom& random) {
    const std::int64_t magnitude = cents < 0 ? -cents : cents;
    const auto count = static_cast<std::int64_t>(parts);
    const std::int64_t floor = magnitude >= count ? 1 : 0;
    const std::int64_t rest = magnitude - floor * count;
    std::vector<std::int64_t> weights(parts);
    std::int64_t weightSum = 0;
    for (auto& w : weights) weightSum += (w = random.between(1, 10));
    std::vector<std::int64_t> amounts(parts);
    std::int64_t given = 0;
    for (std::size_t i = 0; i < parts; ++i) {
        // rest × weight / weightSum, rounded down, without forming the product
        amounts[i] = floor + rest / weightSum * weights[i] + rest % weightSum * weights[i] / weightSum;
        given += amounts[i];
    }
    amounts[0] += magnitude - given;
    if (cents < 0)
        for (auto& a : amounts) a = -a;
    return amounts;
}

// How many lines each invoice of one department's month gets: as many as planned, and when the
// month has fewer lines than the department has items, more, each to the invoice whose lines
// would stay largest.
std::vector<std::size_t> lineSlots(const InvoicePlan& plan, const std::vector<std::size_t>& members,
                                   std::size_t itemCount) {
    std::vector<std::size_t> slots(members.size());
    std::size_t total = 0;
    for (std::size_t k = 0; k < members.size(); ++k) total += slots[k] = plan.invoices[members[k]].lineCount;
    if (total >= itemCount) return slots;
    auto magnitude = [&](std::size_t k) {
        const std::int64_t cents = plan.invoices[members[k]].amountCents;
        return cents < 0 ? -cents : cents;
    };
    // a before b when b's amount per line, with one more line, is the larger
    auto smallerShare = [&](std::size_t a, std::size_t b) {
        const std::int64_t left = magnitude(a) * static_cast<std::int64_t>(slots[b] + 1);
        const std::int64_t right = magnitude(b) * static_cast<std::int64_t>(slots[a] + 1);
        return left != right ? left < right : a > b;
    };
    std::priority_queue<std::size_t, std::vector<std::size_t>, decltype(smallerShare)> next(smallerShare);
    for (std::size_t k = 0; k < members.size(); ++k) next.push(k);
    for (; total < itemCount; ++total) {
        const std::size_t k = next.top();
        next.pop();
        ++slots[k];
        next.push(k);
    }
    return slots;
}

}  // namespace

InvoicePlan planInvoices(const DemoOptions& options, DemoRandom& random) { return Planner(options, random).run(); }

void spreadLinesOverItems(InvoicePlan& plan, const FeeItemSet& items, DemoRandom& random) {
    std::vector<std::vector<int>> used;
    for (const DepartmentInfo& d : departments()) used.push_back(items.itemsOf(d));

    // Invoices by department and month of issue, in plan order; tickets keep their lines.
    std::map<std::pair<int, int>, std::vector<std::size_t>> months;
    for (std::size_t i = 0; i < plan.invoices.size(); ++i) {
        const PlannedInvoice& invoice = plan.invoices[i];
        if (invoiceTypes()[invoice.type].fixedAmount == 0)
            months[{invoice.department, monthIndexOf(invoice.issued)}].push_back(i);
    }

    std::vector<std::vector<int>> lineItems(plan.invoices.size());
    for (const auto& [key, members] : months) {
        const std::vector<int>& choice = used[static_cast<std::size_t>(key.first)];
        if (choice.empty()) continue;
        const std::vector<std::size_t> slots = lineSlots(plan, members, choice.size());
        // The month's lines in random order: the first ones take every item once, the rest
        // draw an item their invoice does not have yet.
        std::vector<std::size_t> order;
        for (std::size_t k = 0; k < members.size(); ++k) order.insert(order.end(), slots[k], k);
        shuffle(order, random);
        std::vector<int> once = choice;
        shuffle(once, random);
        for (std::size_t s = 0; s < order.size(); ++s) {
            std::vector<int>& mine = lineItems[members[order[s]]];
            int item = s < once.size() ? once[s] : choice[random.below(choice.size())];
            while (s >= once.size() && mine.size() < choice.size() &&
                   std::find(mine.begin(), mine.end(), item) != mine.end())
                item = choice[random.below(choice.size())];
            mine.push_back(item);
        }
    }

    std::vector<PlannedLine> lines;
    lines.reserve(plan.lines.size());
    for (std::size_t i = 0; i < plan.invoices.size(); ++i) {
        PlannedInvoice& invoice = plan.invoices[i];
        const std::vector<int>& mine = lineItems[i];
        const std::size_t first = lines.size();
        const auto planned = static_cast<std::size_t>(invoice.lineCount);
        if (mine.empty()) {
            lines.insert(lines.end(), plan.lines.begin() + static_cast<std::ptrdiff_t>(invoice.firstLine),
                         plan.lines.begin() + static_cast<std::ptrdiff_t>(invoice.firstLine + planned));
        } else {
            std::vector<std::int64_t> amounts;
            if (mine.size() == planned)
                for (std::size_t j = 0; j < planned; ++j)
                    amounts.push_back(plan.lines[invoice.firstLine + j].amountCents);
            else amounts = splitAmount(invoice.amountCents, mine.size(), random);
            for (std::size_t j = 0; j < mine.size(); ++j) {
                const bool taxMissing =
                    j < planned ? plan.lines[invoice.firstLine + j].taxMissing : random.chance(3, 100);
                lines.push_back({mine[j], amounts[j],
                                 includedTaxCents(amounts[j], items[static_cast<std::size_t>(mine[j])].rateBasisPoints),
                                 taxMissing});
            }
        }
        invoice.firstLine = first;
        invoice.lineCount = static_cast<int>(lines.size() - first);
    }
    plan.lines = std::move(lines);
}

}  // namespace tally::demo
