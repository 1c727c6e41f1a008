// The T-SQL rewriter on arbitrary statement text. Besides not crashing it must never
// touch data: every string literal comes back unchanged and in order, every comment
// too, no bracketed name is left over and no ORDER BY is lost (cleared qualifiers
// must not glue "BY" to the next name).
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "TsqlRewriter.h"

using tally::fuzz::check;

namespace {

std::vector<std::string> columnsOf(const std::string& table) {
    if (table == "票据") return {"票据编号", "入库单编号", "开票日期", "收款日期", "作废日期", "金额", "开票部门编号"};
    if (table == "票据开票数据") return {"票据编号", "入库单编号", "收费项目代号", "金额", "税额"};
    if (table == "票据入库单") return {"入库单编号", "票据类型编号"};
    if (table == "票据类型") return {"票据类型代号", "票据类型", "定额"};
    if (table == "setupsfxm") return {"dh", "xm", "税率", "收费类别"};
    if (table == "t") return {"a", "b", "c"};
    if (table == "u") return {"a", "d", "e"};
    return {};
}

// How SQLite splits the text, written independently of the tokenizer under test:
// the string literals and comments in order, whether every quote and comment is
// closed, whether a [bracketed] name occurs and how many ORDER BY pairs there are.
struct Scan {
    std::vector<std::string> literals;
    std::vector<std::string> comments;
    bool complete = true;
    bool bracketed = false;
    int orderBy = 0;
};

bool wordByte(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '@' ||
           c == '#' || c == '$' || c >= 0x80;
}

std::string lower(std::string s) {
    for (auto& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

// Index after a quoted run opened at s[i]; npos when it is not closed.
std::size_t closeQuote(const std::string& s, std::size_t i, char close) {
    for (std::size_t j = i + 1; j < s.size(); ++j)
        if (s[j] == close) {
            if (j + 1 < s.size() && s[j + 1] == close) {
                ++j;
                continue;
            }
            return j + 1;
        }
    return std::string::npos;
}

Scan scan(const std::string& s) {
    Scan out;
    std::string previousWord;  // last solid token if it was a word, lower-cased
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = s[i];
        std::size_t end;
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (s.compare(i, 2, "--") == 0) {
            end = s.find('\n', i);
            if (end == std::string::npos) end = s.size();
            out.comments.push_back(s.substr(i, end - i));
            i = end;
            continue;
        }
        if (s.compare(i, 2, "/*") == 0) {
            end = s.find("*/", i + 2);
            if (end == std::string::npos) {
                out.complete = false;
                return out;
            }
            out.comments.push_back(s.substr(i, end + 2 - i));
            i = end + 2;
            continue;
        }
        if (c == '\'' || c == '"' || c == '[') {
            end = closeQuote(s, i, c == '[' ? ']' : char(c));
            if (end == std::string::npos) {
                out.complete = false;
                return out;
            }
            if (c == '\'') out.literals.push_back(s.substr(i, end - i));
            if (c == '[') out.bracketed = true;
            previousWord.clear();
            i = end;
            continue;
        }
        if (c >= '0' && c <= '9') {  // a number ends at its last digit: "1Order" is 1 and ORDER
            while (i < s.size() && ((s[i] >= '0' && s[i] <= '9') || s[i] == '.')) ++i;
            previousWord.clear();
            continue;
        }
        if (wordByte(c)) {
            end = i;
            while (end < s.size() && wordByte(static_cast<unsigned char>(s[end]))) ++end;
            std::string word = lower(s.substr(i, end - i));
            if (word == "by" && previousWord == "order") ++out.orderBy;
            previousWord = word;
            i = end;
            continue;
        }
        previousWord.clear();
        ++i;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string sql(reinterpret_cast<const char*>(data), size);
    std::string out = tally::data::rewriteTsqlForSqlite(sql, columnsOf);

    Scan before = scan(sql);
    if (!before.complete) return 0;  // unterminated quotes or comments: the engine rejects the text anyway
    Scan after = scan(out);
    std::string both = sql + "\n=>\n" + out;
    check(after.complete, "a complete statement stays complete", both);
    check(after.literals == before.literals, "string literals come back unchanged and in order", both);
    check(after.comments == before.comments, "comments come back unchanged and in order", both);
    check(!after.bracketed, "no bracketed name is left for SQLite", both);
    check(after.orderBy == before.orderBy, "every ORDER BY stays an ORDER BY", both);
    return 0;
}
