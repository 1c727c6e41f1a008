#include "CsvRecords.h"

#include <iterator>

namespace tally::sheet {

long long countCsvRecords(std::istream& csv) {
    long long records = 0;
    bool quoted = false;
    bool recordOpen = false;
    for (std::istreambuf_iterator<char> it(csv), end; it != end; ++it) {
        const char c = *it;
        if (c == '"') {
            // A doubled quote inside a quoted field toggles twice and stays quoted.
            quoted = !quoted;
            recordOpen = true;
        } else if (c == '\n' && !quoted) {
            ++records;
            recordOpen = false;
        } else if (c != '\r' || quoted) {
            recordOpen = true;
        }
    }
    return records + (recordOpen ? 1 : 0);
}

}  // namespace tally::sheet
