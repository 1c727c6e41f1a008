#pragma once
// --format xlsx|xls: the finished result written as the window's "导出Excel" writes it.
// The name given with --output picks the file as the save dialog's name does: ".xls"
// becomes an Excel 97-2003 file through LibreOffice, or the .xlsx beside it when
// LibreOffice is missing; any other extension the .xlsx beside it.
#include <ostream>

#include "CliOptions.h"
#include "DetailCommand.h"
#include "OutputTarget.h"

namespace tally::cli {

// Writes the sheet and tells `err` which file it wrote (the path alone on the last line),
// or "错误号: N错误描述: ..." when it failed. Returns the exit status: 0 or 1.
int writeSpreadsheet(const CliOptions& options, const CommandOutcome& outcome, std::ostream& err,
                     const sheet::ConverterLookup& lookup = sheet::findOfficeConverter);

}  // namespace tally::cli
