#include "ReportCatalog.h"

#include "VatInvoicingReport.h"

namespace tally::reports {

std::unique_ptr<DetailReport> makeDetailReport(std::string_view kind) {
    if (kind == "vat-invoicing") return std::make_unique<vat::VatInvoicingReport>();
    return nullptr;
}

std::vector<std::string> detailReportKinds() { return {"vat-invoicing"}; }

}  // namespace tally::reports
