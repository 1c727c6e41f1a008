#pragma once
// --format pdf (or an --output name ending .pdf): the finished result printed to a PDF
// file, the same title, condition lines, headings and rows as the spreadsheet export.
// Needs a QGuiApplication (main makes one on the offscreen platform).
#include <ostream>

#include "CliOptions.h"
#include "DetailCommand.h"

namespace tally::cli {

// Writes --output and names it on `err` (the path alone on the last line), or says why it
// failed ("错误号: N错误描述: ..."). Returns the exit status: 0 or 1.
int writePdfReport(const CliOptions& options, const CommandOutcome& outcome, std::ostream& err);

}  // namespace tally::cli
