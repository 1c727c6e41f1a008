// convert(char(N), value, style) and len(value) as registered on SQLite, with values
// of every storage class. The first bytes pick the kind, N and the style; the rest is
// the value. convert must give the day key (or the text) cut to N bytes without
// splitting a character, or an error; len the characters left after trailing blanks.
#include <sqlite3.h>

#include <cstring>
#include <optional>
#include <string>

#include "FuzzCheck.h"
#include "SqliteFunctions.h"

using tally::fuzz::check;

namespace {

sqlite3* database() {
    static sqlite3* db = [] {
        sqlite3* d = nullptr;
        check(sqlite3_open(":memory:", &d) == SQLITE_OK, "an in-memory database opens");
        check(tally::data::registerTsqlFunctions(d) == SQLITE_OK, "the functions register");
        return d;
    }();
    return db;
}

enum class Kind { Text, Blob, Integer, Real, Null };

struct Param {
    Kind kind;
    std::string bytes;
    std::int64_t integer = 0;
    double real = 0;
};

void bind(sqlite3_stmt* stmt, const Param& p) {
    switch (p.kind) {
    case Kind::Text: sqlite3_bind_text(stmt, 1, p.bytes.data(), int(p.bytes.size()), SQLITE_TRANSIENT); break;
    case Kind::Blob: sqlite3_bind_blob(stmt, 1, p.bytes.data(), int(p.bytes.size()), SQLITE_TRANSIENT); break;
    case Kind::Integer: sqlite3_bind_int64(stmt, 1, p.integer); break;
    case Kind::Real: sqlite3_bind_double(stmt, 1, p.real); break;
    case Kind::Null: sqlite3_bind_null(stmt, 1); break;
    }
}

struct Outcome {
    bool error = false;
    bool null = false;
    std::string text;
    std::int64_t integer = 0;
};

Outcome run(const std::string& sql, const Param& p) {
    sqlite3_stmt* stmt = nullptr;
    check(sqlite3_prepare_v2(database(), sql.c_str(), int(sql.size()), &stmt, nullptr) == SQLITE_OK,
          "the statement prepares", sql);
    bind(stmt, p);
    Outcome o;
    int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) {
        o.null = sqlite3_column_type(stmt, 0) == SQLITE_NULL;
        o.integer = sqlite3_column_int64(stmt, 0);
        auto t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        o.text.assign(t ? t : "", std::size_t(sqlite3_column_bytes(stmt, 0)));
    } else {
        o.error = true;
    }
    sqlite3_finalize(stmt);
    return o;
}

bool continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

bool validUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = s[i];
        std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if (!continuation(s[i + k])) return false;
        i += n;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tally::fuzz::InputReader in(data, size);
    Param p{Kind(in.byte() % 5), {}};
    int n = in.byte() % 12;  // char(0) .. char(11); 6 and 8 are the month and day keys
    static const int styles[] = {112, 112, 112, 23, 120, 121, 101, 0};
    int style = styles[in.byte() % 8];
    if (p.kind == Kind::Integer) p.integer = std::int64_t(in.u64());
    if (p.kind == Kind::Real) {
        std::uint64_t bits = in.u64();
        std::memcpy(&p.real, &bits, sizeof p.real);
    }
    p.bytes = in.rest();

    // The value as SQLite hands it to a function as text.
    Outcome asText = run("SELECT CAST(?1 AS TEXT)", p);
    check(!asText.error, "a value casts to text");
    std::string text = asText.text;
    std::string detail = "text=" + text + " n=" + std::to_string(n) + " style=" + std::to_string(style);

    std::string call = style == 0 ? "convert(char(" + std::to_string(n) + "), ?1)"
                                  : "convert(char(" + std::to_string(n) + "), ?1, " + std::to_string(style) + ")";
    Outcome converted = run("SELECT " + call, p);
    if (asText.null) {
        check(converted.null && !converted.error, "convert of Null is Null", detail);
    } else if (style == 101) {
        check(converted.error, "an unsupported style is an error", detail);
    } else {
        std::optional<std::string> whole;
        if (style != 112) whole = text;
        else if (text.size() >= 10 && text[4] == '-' && text[7] == '-')
            whole = text.substr(0, 4) + text.substr(5, 2) + text.substr(8, 2);
        if (!whole) {
            check(converted.error, "a style 112 value that is no date text is an error", detail);
        } else {
            check(!converted.error && !converted.null, "convert gives a text", detail);
            check(converted.text.size() <= std::size_t(n), "convert keeps to char(N)",
                  detail + " => " + converted.text);
            check(whole->compare(0, converted.text.size(), converted.text) == 0, "convert gives a prefix of the key",
                  detail + " => " + converted.text);
            // Cut only where a character ends (a cut character could not be shown or compared),
            // giving up at most the three bytes a character can have beyond its first.
            std::size_t kept = converted.text.size();
            if (validUtf8(*whole))
                check(kept == whole->size() || !continuation((*whole)[kept]), "convert never cuts a character",
                      detail + " => " + converted.text);
            if (whole->size() <= std::size_t(n))
                check(kept == whole->size(), "convert keeps a text that fits", detail + " => " + converted.text);
            else check(kept + 3 >= std::size_t(n), "convert keeps as much as fits", detail + " => " + converted.text);
        }
    }

    Outcome length = run("SELECT len(?1)", p);
    if (asText.null) {
        check(length.null && !length.error, "len of Null is Null", detail);
    } else {
        std::string trimmed = text;
        while (!trimmed.empty() && trimmed.back() == ' ') trimmed.pop_back();
        std::int64_t characters = 0;
        for (unsigned char c : trimmed)
            if (!continuation(c)) ++characters;
        check(!length.error && length.integer == characters,
              "len counts the characters before the trailing blanks, all of them",
              detail + " len=" + std::to_string(length.integer) + " expected " + std::to_string(characters));
    }
    return 0;
}
