#pragma once
// explain KIND: the invoice lines behind one figure of a report, run end to end without a window.
#include <ostream>

#include "CliOptions.h"
#include "Connection.h"
#include "DetailCommand.h"

namespace tally::cli {

// The report is run as its own command runs it; the output lists the lines of the cell
// options.explainRow, options.explainColumn (both from 1; the reconciliation report) or of
// the row options.explainRow (the detail reports), then a total row. Status 2 for a place
// outside the result or a cell without lines, 3 when the report finds nothing. Warnings of
// the run (a --split item the period did not extract) go to `warnings`.
CommandOutcome runExplain(data::Connection& connection, const CliOptions& options, std::ostream& warnings);

}  // namespace tally::cli
