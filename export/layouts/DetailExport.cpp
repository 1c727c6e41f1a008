#include "DetailExport.h"

#include "ParkingSheet.h"
#include "PreInvoiceSheet.h"
#include "SheetError.h"
#include "VatInvoicingSheet.h"

namespace tally::exports {

std::filesystem::path ExportDetailResult(const reports::ReportResult& result, const reports::FeeItemList& items,
                                         const DetailSheetRequest& request) {
    if (const auto* parking = dynamic_cast<const reports::parking::ParkingResult*>(&result))
        return ExportParkingSheet(*parking, items, request);
    if (const auto* vat = dynamic_cast<const reports::vat::VatInvoicingResult*>(&result))
        return ExportVatInvoicing(*vat, request);
    if (const auto* preInvoice = dynamic_cast<const reports::preinvoice::PreInvoiceResult*>(&result))
        return ExportPreInvoiceSheet(*preInvoice, items, request);
    throw sheet::SheetError(sheet::sheet_errors::kBadCell, "此报表没有导出格式");
}

}  // namespace tally::exports
