#pragma once
// The explainer of a detail report's result whatever its kind (parking, VAT invoicing,
// VAT pre-invoicing), for callers that hold the result as a plain ReportResult.
#include <memory>
#include <string>

#include "Connection.h"
#include "DetailExplain.h"
#include "DetailReport.h"

namespace tally::reports::explain {

class DetailRowExplainer {
public:
    virtual ~DetailRowExplainer() = default;
    // `row` zero-based in the result; see the explainers of DetailExplain.h.
    virtual Outcome<DetailExplanation> explain(int row) = 0;
};

// The explainer of `result`'s rows, or null for a kind of result that has no drill-down.
// `items` and `splits` are those the run took (the VAT invoicing result carries its own
// items); the result's rows are copied.
std::unique_ptr<DetailRowExplainer> makeDetailRowExplainer(data::Connection& connection, const ReportResult& result,
                                                           ReportRequest request, FeeItemList items,
                                                           SplitRatioRows splits);

// What names row `row` (zero-based): its invoice number ("first - last" for a parking row
// of several), "合计" for a grand total, the payment method of a payment-method row; ""
// outside the result or for another kind of result.
std::string detailRowLabel(const ReportResult& result, int row);

}  // namespace tally::reports::explain
