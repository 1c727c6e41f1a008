#pragma once
// A print table written as a PDF file: A4 landscape pages, the text embedded in a CJK
// font so it can be searched and read back. Written under a temporary name beside the
// file and renamed into place only when complete. Needs a QGuiApplication.
#include <filesystem>

#include "ExportLabels.h"
#include "PrintTable.h"

namespace tally::pdf {

// Writes every page of `table` to `file` (an existing file is replaced) and returns it.
// The progress callback counts pages. Throws sheet::SheetError (errno-numbered for a
// file-system failure).
std::filesystem::path writePdf(const PrintTable& table, const std::filesystem::path& file,
                               const exports::ExportProgress& progress = {});

}  // namespace tally::pdf
