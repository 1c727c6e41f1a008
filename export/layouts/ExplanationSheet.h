#pragma once
// The sheet of a 查看明细 list: the title in row 1, the headings in row 2, then the lines
// and the total row, with the list's column widths. Amount cells are numbers shown
// "#0.00", date cells dates; everything else is text as the list shows it.
#include <filesystem>
#include <string>

#include "ExplanationList.h"
#include "ExportLabels.h"
#include "OutputTarget.h"

namespace tally::exports {

inline constexpr int kListFirstLineRow = 3;

// Writes the sheet to `target` (a temporary name renamed into place once complete, nothing
// left behind on failure), telling `progress` after each line. Returns the file written.
// Throws SheetError.
std::filesystem::path ExportExplanationSheet(const reports::explain::ExplanationList& list, const std::string& title,
                                             const sheet::OutputTarget& target, const ExportProgress& progress = {});

}  // namespace tally::exports
