#pragma once
// "导出Excel" in a 查看明细 list: the whole list, its lines and total, written as one sheet
// under the list's caption.
#include <QString>

#include <functional>

#include "ExplainWindow.h"
#include "ExportCommand.h"

namespace tally::exports {

// The list's caption with the characters a file name cannot hold (/ \ : * ? " < > |) as "_".
QString explanationExportName(const QString& caption);

void ExportExplanation(reportui::ExplainWindow& window, const ExportEnvironment& environment = {});

// The command as the lists' export service.
std::function<void(reportui::ExplainWindow&)> explanationExportHook(ExportEnvironment environment = {});

}  // namespace tally::exports
