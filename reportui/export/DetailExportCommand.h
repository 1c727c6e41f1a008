#pragma once
// "导出Excel" in the parking, VAT invoicing and pre-invoicing windows: the whole result
// of the last run written as the report's sheet, with the title, department and period
// as the window shows them now.
#include <QDate>
#include <QString>

#include "ExportCommand.h"
#include "ReportWindow.h"

namespace tally::exports {

// Title, "_", the start date's eight digits, "-", the end date's eight digits.
QString detailExportName(const QString& title, const QDate& start, const QDate& end);

// The command; the window has already checked that its grid shows rows of a run.
void ExportDetailReport(reportui::ReportWindow& window, const ExportEnvironment& environment = {});

// The command as the windows' export service.
std::function<void(reportui::ReportWindow&)> detailExportHook(ExportEnvironment environment = {});

}  // namespace tally::exports
