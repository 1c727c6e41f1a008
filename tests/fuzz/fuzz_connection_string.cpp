// ODBC connection strings built from the four settings (any bytes), read back by a
// parser of the ODBC syntax written here: KEY=value pairs separated by ";", a value
// either plain (up to the next ";") or in braces with "}}" standing for "}". The
// driver manager gets the string NUL-terminated, so the parser stops at a NUL as it
// does. Exactly the intended attributes must come back, each value unchanged; a value
// with a NUL cannot be passed and is refused with a DbError.
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "DbError.h"
#include "FuzzCheck.h"
#include "OdbcConnectionString.h"

using tally::fuzz::check;
using Attributes = std::vector<std::pair<std::string, std::string>>;

namespace {

std::string upper(std::string s) {
    for (auto& c : s)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return s;
}

// nullopt for a string the syntax does not allow (unclosed brace, junk after a brace).
std::optional<Attributes> parse(std::string s) {
    s = s.substr(0, s.find('\0'));
    Attributes out;
    std::size_t i = 0;
    while (i < s.size()) {
        if (s[i] == ';') {
            ++i;
            continue;
        }
        auto eq = s.find('=', i);
        if (eq == std::string::npos) return std::nullopt;
        std::string key = s.substr(i, eq - i), value;
        if (key.find(';') != std::string::npos) return std::nullopt;
        i = eq + 1;
        if (i < s.size() && s[i] == '{') {
            ++i;
            while (true) {
                if (i >= s.size()) return std::nullopt;
                if (s[i] == '}') {
                    if (i + 1 < s.size() && s[i + 1] == '}') {
                        value += '}';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += s[i++];
            }
            if (i < s.size() && s[i] != ';') return std::nullopt;
        } else {
            auto end = s.find(';', i);
            if (end == std::string::npos) end = s.size();
            value = s.substr(i, end - i);
            i = end;
        }
        out.emplace_back(upper(key), value);
    }
    return out;
}

template <typename Build>
void expectAttributes(Build build, const Attributes& intended) {
    bool nul = false;
    for (const auto& [key, value] : intended) nul = nul || value.find('\0') != std::string::npos;
    std::string built;
    try {
        built = build();
    } catch (const tally::data::DbError&) {
        check(nul, "only a value with a NUL is refused");
        return;
    }
    check(!nul, "a value with a NUL is refused", built);
    auto parsed = parse(built);
    check(parsed.has_value(), "the connection string parses", built);
    check(parsed->size() == intended.size(), "exactly the intended attributes", built);
    for (std::size_t i = 0; i < intended.size(); ++i) {
        check((*parsed)[i].first == upper(intended[i].first), "the attributes in order", built);
        check((*parsed)[i].second == intended[i].second, "a value comes back unchanged",
              built + " : " + intended[i].first + "=" + intended[i].second);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tally::fuzz::InputReader in(data, size);
    std::string login = in.shortText(), password = in.shortText(), catalog = in.shortText(), server = in.rest();

    std::string host = server, port;
    if (auto comma = server.rfind(','); comma != std::string::npos) {
        host = server.substr(0, comma);
        port = server.substr(comma + 1);
    }
    Attributes intended{{"DRIVER", "FreeTDS"}, {"SERVER", host}};
    if (!port.empty()) intended.push_back({"PORT", port});
    intended.insert(intended.end(), {{"DATABASE", catalog},
                                     {"UID", login},
                                     {"PWD", password},
                                     {"TDS_Version", "7.4"},
                                     {"ClientCharset", "UTF-8"},
                                     {"ApplicationIntent", "ReadOnly"}});
    expectAttributes([&] { return tally::data::freeTdsConnectionString(login, password, catalog, server); }, intended);

    Attributes dsn{{"DSN", "fees"}};
    if (!login.empty()) dsn.push_back({"UID", login});
    if (!password.empty()) dsn.push_back({"PWD", password});
    expectAttributes([&] { return tally::data::withCredentials("DSN=fees", login, password); }, dsn);
    return 0;
}
