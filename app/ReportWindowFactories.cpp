#include "ReportWindowFactories.h"

#include <QWidget>

#include "ReportWindowFactory.h"

namespace tally::app {
namespace {

// The detail reports share one window design, configured by the report engine.
ReportWindowFactory detailReport(const char* kind, const reportui::WindowServices& services) {
    return
        [kind, services](QWidget* parent) -> QWidget* { return reportui::createReportWindow(kind, services, parent); };
}

}  // namespace

ReportWindowFactories reportWindowFactories(const reportui::WindowServices& services) {
    return {
        {ReportKind::Parking, detailReport("parking", services)},
        {ReportKind::VatInvoicing, detailReport("vat-invoicing", services)},
        {ReportKind::VatPreInvoicing, detailReport("pre-invoicing", services)},
        {ReportKind::Reconciliation,
         [services](QWidget* parent) -> QWidget* { return reportui::createReconciliationWindow(services, parent); }},
    };
}

}  // namespace tally::app
