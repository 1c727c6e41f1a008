#include "ReportWindowFactories.h"

#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include "ReportWindowFactory.h"

namespace tally::app {
namespace {

// Stands in for a report window until the real one is plugged in here.
QWidget* placeholderWindow(ReportKind kind, const QString& windowName, QWidget* parent) {
    auto* window = new QWidget(parent);
    window->setObjectName(windowName);
    window->setWindowTitle(reportMenuCaption(kind));
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(new QLabel(reportMenuCaption(kind), window));
    window->resize(480, 320);
    return window;
}

ReportWindowFactory placeholder(ReportKind kind, const QString& windowName) {
    return [kind, windowName](QWidget* parent) { return placeholderWindow(kind, windowName, parent); };
}

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
        {ReportKind::Reconciliation, placeholder(ReportKind::Reconciliation, "frm票据核对表New")},
    };
}

}  // namespace tally::app
