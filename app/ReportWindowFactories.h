#pragma once
// The report windows the program opens, one factory per report. This is the one place that
// decides which window class stands behind each "统计报表" item.
#include "ReportKind.h"

namespace tally::app {

ReportWindowFactories reportWindowFactories();

}  // namespace tally::app
