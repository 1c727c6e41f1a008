#include "ReportKind.h"

namespace tally::app {

QString reportMenuCaption(ReportKind kind) {
    switch (kind) {
    case ReportKind::Parking: return "停车费明细表";
    case ReportKind::VatInvoicing: return "增值税开票明细表";
    case ReportKind::VatPreInvoicing: return "增值税预开明细表";
    case ReportKind::Reconciliation: return "开票票据核对表";
    }
    return {};
}

}  // namespace tally::app
