#include "SqliteFunctions.h"

#include <sqlite3.h>

#include <cstring>
#include <string>
#include <string_view>

namespace tally::data {
namespace {

// Target length of a char(n) type argument: char(n) arrives as the one character U+000n.
int targetLength(sqlite3_value* type) {
    if (sqlite3_value_type(type) == SQLITE_INTEGER) return sqlite3_value_int(type);
    const unsigned char* t = sqlite3_value_text(type);
    int bytes = sqlite3_value_bytes(type);
    if (t && bytes == 1 && t[0] < 0x20) return t[0];
    return -1;
}

void convertFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    int length = targetLength(argv[0]);
    int style = argc >= 3 ? sqlite3_value_int(argv[2]) : 0;
    if (sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    // Runs for every row a period condition looks at (millions in a year's report): no heap work.
    const char* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    int size = sqlite3_value_bytes(argv[1]);
    char dayKey[8];
    if (argc < 3 || style == 23 || style == 120 || style == 121) {
        // the text as it is
    } else if (style == 112) {
        // ISO date text 'YYYY-MM-DD[ ...]' -> 'YYYYMMDD'
        if (size < 10 || text[4] != '-' || text[7] != '-') {
            sqlite3_result_error(ctx, "Conversion failed when converting date and/or time from character string.", -1);
            return;
        }
        std::memcpy(dayKey, text, 4);
        std::memcpy(dayKey + 4, text + 5, 2);
        std::memcpy(dayKey + 6, text + 8, 2);
        text = dayKey;
        size = 8;
    } else {
        sqlite3_result_error(ctx, ("CONVERT style " + std::to_string(style) + " is not supported").c_str(), -1);
        return;
    }
    if (length >= 0 && size > length) {
        size = length;
        // end where a character ends: a cut UTF-8 sequence cannot be shown or compared
        for (int k = 0; k < 3 && size > 0 && (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80; ++k) --size;
    }
    sqlite3_result_text(ctx, text, size, SQLITE_TRANSIENT);
}

void lenFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    // by its byte count: a text may hold NUL characters, and they count
    const char* bytes = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    std::string_view text(bytes ? bytes : "", bytes ? std::size_t(sqlite3_value_bytes(argv[0])) : 0);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    // characters, not bytes
    sqlite3_int64 count = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++count;
    sqlite3_result_int64(ctx, count);
}

}  // namespace

int registerTsqlFunctions(sqlite3* db) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    int rc = sqlite3_create_function(db, "convert", 3, flags, nullptr, convertFunction, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function(db, "convert", 2, flags, nullptr, convertFunction, nullptr, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_create_function(db, "len", 1, flags, nullptr, lenFunction, nullptr, nullptr);
    return rc;
}

}  // namespace tally::data
