#pragma once
// The four report windows the main menu opens, and how each is made.
#include <QString>

#include <array>
#include <functional>
#include <map>

class QWidget;

namespace tally::app {

enum class ReportKind { Parking, VatInvoicing, VatPreInvoicing, Reconciliation };

inline constexpr std::array<ReportKind, 4> kReportKinds{ReportKind::Parking, ReportKind::VatInvoicing,
                                                        ReportKind::VatPreInvoicing, ReportKind::Reconciliation};

// The item of the "统计报表" menu, which is also the item's object name.
QString reportMenuCaption(ReportKind kind);

// Makes a new report window; `parent` is the main window's desktop. May return null when
// the window could not be made (it has then told the user why).
using ReportWindowFactory = std::function<QWidget*(QWidget* parent)>;
using ReportWindowFactories = std::map<ReportKind, ReportWindowFactory>;

}  // namespace tally::app
