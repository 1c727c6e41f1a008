#pragma once
// --format xlsx|xls: the finished result written as the window's "导出Excel" writes it.
// The name given with --output picks the file as the save dialog's name does: ".xls"
// becomes an Excel 97-2003 file through LibreOffice, or the .xlsx beside it when
// LibreOffice is missing; any other extension the .xlsx beside it.
#include <functional>
#include <ostream>
#include <vector>

#include "CliOptions.h"
#include "DetailCommand.h"
#include "OutputTarget.h"

namespace tally::cli {

// Writes the sheet and tells `err` which file it wrote (the path alone on the last line),
// or "错误号: N错误描述: ..." when it failed. Returns the exit status: 0 or 1.
int writeSpreadsheet(const CliOptions& options, const CommandOutcome& outcome, std::ostream& err,
                     const sheet::ConverterLookup& lookup = sheet::findOfficeConverter);

// One run of the report for one department (the status and message as for a single run).
using DepartmentRun = std::function<CommandOutcome(const reports::DepartmentEntry&)>;

// --department all or a list: runs the report for each department in order and writes one
// workbook with a sheet per department (--output), or one file per department in
// --output-dir named as the window's save dialog proposes. Departments without data are
// named on `err` and skipped. `progress`: a line on `err` that counts the departments (for
// a terminal). Returns the exit status: 0 when something was written, 3 when no department
// had data, else the first run's error (nothing is then written to --output).
int writeDepartmentSheets(const CliOptions& options, const std::vector<reports::DepartmentEntry>& departments,
                          const DepartmentRun& run, std::ostream& err, bool progress,
                          const sheet::ConverterLookup& lookup = sheet::findOfficeConverter);

// The name the window's save dialog proposes, without extension: the title, then for the
// detail reports "_" and the period's first and last days as yyyymmdd.
std::string proposedFileName(const CliOptions& options, const std::string& title);

}  // namespace tally::cli
