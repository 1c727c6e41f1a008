#include "ReportWindowFactories.h"

#include <QWidget>

#include "ReconciliationWindowFactory.h"
#include "ReportWindowFactory.h"

namespace tally::app {
namespace {

// The detail reports share one window design, configured by the report engine.
ReportWindowFactory detailReport(const char* kind) {
    return [kind](QWidget* parent) -> QWidget* { return reportui::createReportWindow(kind, parent); };
}

}  // namespace

ReportWindowFactories reportWindowFactories() {
    return {
        {ReportKind::Parking, detailReport("parking")},
        {ReportKind::VatInvoicing, detailReport("vat-invoicing")},
        {ReportKind::VatPreInvoicing, detailReport("pre-invoicing")},
        {ReportKind::Reconciliation,
         [](QWidget* parent) -> QWidget* { return reportui::createReconciliationWindow(parent); }},
    };
}

}  // namespace tally::app
