#pragma once
// The parking-fee detail report ("停车费明细表"): parking-fee collections of a period,
// each fee divided between the developer and the property company.
#include <vector>

#include "DetailReportParts.h"
#include "ParkingRows.h"

namespace tally::reports::parking {

// The parking items used on invoices issued in the period. Errors leave the items read so far.
Extraction ExtractParkingFeeItems(data::Connection& connection, const ReportRequest& request);

// The rows of a run over the collection dates of the period: detail rows, "合计" and the
// payment-method rows; no rows when no invoice matched. Refused when a property
// percentage is not a number from 0 to 100 (nothing is sent to the database then).
Outcome<std::vector<ParkingRow>> RunParkingStatistics(data::Connection& connection, const ReportRequest& request,
                                                      const FeeItemList& items, const SplitRatioRows& splits);

class ParkingReport : public DetailReportFromParts {
public:
    ParkingReport();
};

}  // namespace tally::reports::parking
