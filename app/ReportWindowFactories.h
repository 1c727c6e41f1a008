#pragma once
// The report windows the program opens, one factory per report. This is the one place that
// decides which window class stands behind each "统计报表" item.
#include "ReportKind.h"
#include "WindowServices.h"

namespace tally::app {

// Factories that open every window on `services` (copied into each factory).
ReportWindowFactories reportWindowFactories(const reportui::WindowServices& services);

}  // namespace tally::app
