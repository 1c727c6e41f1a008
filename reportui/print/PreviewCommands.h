#pragma once
// "打印预览" in the report windows: the last run's rows as print pages, with the title,
// department and period as the window shows them now (as "导出Excel" reads them).
#include <functional>

#include "PrintPreview.h"
#include "PrintTable.h"

namespace tally::reportui {

class ReportWindow;
class ReconciliationWindow;

// The print tables; throw sheet::SheetError when the headings no longer fit the rows.
pdf::PrintTable detailPrintTableOf(const ReportWindow& window);
pdf::PrintTable reconciliationPrintTableOf(const ReconciliationWindow& window);

// Opens the preview on `window` and waits until the user closes it.
void PreviewDetailReport(ReportWindow& window, const PreviewEnvironment& environment = {});
void PreviewReconciliation(ReconciliationWindow& window, const PreviewEnvironment& environment = {});

// The commands as the windows' services.
std::function<void(ReportWindow&)> detailPreviewHook(PreviewEnvironment environment = {});
std::function<void(ReconciliationWindow&)> reconciliationPreviewHook(PreviewEnvironment environment = {});

}  // namespace tally::reportui
