#pragma once
// Counts the records of a CSV text: a quoted field may hold line breaks, and a last
// record without a final line break still counts.
#include <istream>

namespace tally::sheet {

long long countCsvRecords(std::istream& csv);

}  // namespace tally::sheet
