#include "ReportWindowFactories.h"

#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

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

}  // namespace

ReportWindowFactories reportWindowFactories() {
    return {
        {ReportKind::Parking, placeholder(ReportKind::Parking, "frm停车费明细表New")},
        {ReportKind::VatInvoicing, placeholder(ReportKind::VatInvoicing, "frm票据开票明细表New")},
        {ReportKind::VatPreInvoicing, placeholder(ReportKind::VatPreInvoicing, "frm票据预开明细表New")},
        {ReportKind::Reconciliation, placeholder(ReportKind::Reconciliation, "frm票据核对表New")},
    };
}

}  // namespace tally::app
