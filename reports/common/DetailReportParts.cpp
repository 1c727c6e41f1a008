#include "DetailReportParts.h"

namespace tally::reports {

Extraction ReadFeeItems(data::Connection& connection, const std::string& statement) {
    Extraction extraction;
    try {
        auto rs = connection.open(statement, data::Connection::kNoTimeout);
        for (; !rs->eof(); rs->moveNext()) extraction.items.push_back(feeItemFromRow(*rs));
    } catch (const data::DbError& e) {
        extraction.error = ReportError::fromDb(e);
    }
    return extraction;
}

}  // namespace tally::reports
