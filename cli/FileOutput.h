#pragma once
// What the tool's file outputs (spreadsheets, PDF) share.
#include <ostream>
#include <string>

namespace tally::cli {

// "20240305" -> "2024-03-05", as the sheets and the PDF print a period; other texts as they are.
std::string isoDate(const std::string& dayKey);

// Call inside a catch block: names the failed write on `err` (the sheet's own message, or
// the export message around any other error) and gives the exit status 1. Anything that
// is not a std::exception goes on up.
int reportWriteFailure(std::ostream& err);

}  // namespace tally::cli
