#include "DetailRowExplain.h"

#include "ExplanationList.h"
#include "ParkingPage.h"
#include "PreInvoicePage.h"

namespace tally::reports::explain {
namespace {

template <class Explainer>
class Adapter : public DetailRowExplainer {
public:
    explicit Adapter(Explainer explainer) : explainer_(std::move(explainer)) {}
    Outcome<DetailExplanation> explain(int row) override { return explainer_.explain(row); }

private:
    Explainer explainer_;
};

template <class Explainer>
std::unique_ptr<DetailRowExplainer> adapt(Explainer explainer) {
    return std::make_unique<Adapter<Explainer>>(std::move(explainer));
}

template <class Row>
const Row* rowAt(const std::vector<Row>& rows, int row) {
    return row >= 0 && row < static_cast<int>(rows.size()) ? &rows[static_cast<std::size_t>(row)] : nullptr;
}

}  // namespace

std::unique_ptr<DetailRowExplainer> makeDetailRowExplainer(data::Connection& connection, const ReportResult& result,
                                                           ReportRequest request, FeeItemList items,
                                                           SplitRatioRows splits) {
    if (const auto* parking = dynamic_cast<const parking::ParkingResult*>(&result))
        return adapt(
            ParkingExplainer(connection, std::move(request), std::move(items), std::move(splits), parking->rows()));
    if (const auto* vat = dynamic_cast<const vat::VatInvoicingResult*>(&result))
        return adapt(VatInvoicingExplainer(connection, std::move(request), vat->items(), std::move(splits), vat->rows(),
                                           vat::rowFormFor(vat->items())));
    if (const auto* preInvoice = dynamic_cast<const preinvoice::PreInvoiceResult*>(&result))
        return adapt(PreInvoiceExplainer(connection, std::move(request), std::move(items), std::move(splits),
                                         preInvoice->rows()));
    return nullptr;
}

std::string detailRowLabel(const ReportResult& result, int row) {
    if (const auto* parking = dynamic_cast<const parking::ParkingResult*>(&result)) {
        const auto* r = rowAt(parking->rows(), row);
        if (!r) return "";
        switch (r->rowKind) {
        case parking::ParkingRowKind::Detail: return r->label;
        case parking::ParkingRowKind::GrandTotal: return kListTotalLabel;
        case parking::ParkingRowKind::PaymentMethod: return r->paymentMethod;
        }
        return "";
    }
    if (const auto* vat = dynamic_cast<const vat::VatInvoicingResult*>(&result)) {
        const auto* r = rowAt(vat->rows(), row);
        if (!r) return "";
        switch (r->kind) {
        case vat::RowKind::Invoice: return r->invoiceNumber;
        case vat::RowKind::GrandTotal: return kListTotalLabel;
        case vat::RowKind::PaymentMethod: return r->methodText;
        }
        return "";
    }
    if (const auto* preInvoice = dynamic_cast<const preinvoice::PreInvoiceResult*>(&result)) {
        const auto* r = rowAt(preInvoice->rows(), row);
        if (!r) return "";
        return r->isTotals ? kListTotalLabel : r->invoice.number;
    }
    return "";
}

}  // namespace tally::reports::explain
