#include "ReportCatalog.h"

#include "ParkingReport.h"
#include "PreInvoiceReport.h"
#include "VatInvoicingReport.h"

namespace tally::reports {

std::unique_ptr<DetailReport> makeDetailReport(std::string_view kind) {
    if (kind == "parking") return std::make_unique<parking::ParkingReport>();
    if (kind == "vat-invoicing") return std::make_unique<vat::VatInvoicingReport>();
    if (kind == "pre-invoicing") return std::make_unique<preinvoice::PreInvoiceReport>();
    return nullptr;
}

std::vector<std::string> detailReportKinds() { return {"parking", "vat-invoicing", "pre-invoicing"}; }

}  // namespace tally::reports
