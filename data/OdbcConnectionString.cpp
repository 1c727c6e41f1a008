#include "OdbcConnectionString.h"

#include <algorithm>

#include "DbError.h"

namespace tally::data {
namespace {

// The driver manager reads the string up to its first NUL: a NUL inside a value would
// drop every attribute after it (ApplicationIntent=ReadOnly among them).
void refuseNul(std::string_view text) {
    if (text.find('\0') != std::string_view::npos) throw DbError(-1, "a connection setting contains a NUL character");
}

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return out;
}

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

bool hasKey(const std::vector<std::pair<std::string, std::string>>& attributes, std::string_view key) {
    return std::any_of(attributes.begin(), attributes.end(), [key](const auto& a) { return lowered(a.first) == key; });
}

bool namesSqliteDriver(const std::vector<std::pair<std::string, std::string>>& attributes) {
    return std::any_of(attributes.begin(), attributes.end(), [](const auto& a) {
        return lowered(a.first) == "driver" && lowered(a.second).find("sqlite3") != std::string::npos;
    });
}

}  // namespace

std::vector<std::pair<std::string, std::string>> odbcAttributes(std::string_view text) {
    std::vector<std::pair<std::string, std::string>> attributes;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t equals = text.find('=', at);
        const std::size_t semicolon = text.find(';', at);
        if (equals == std::string_view::npos || (semicolon != std::string_view::npos && semicolon < equals)) {
            // A part without "=": nothing a driver reads.
            if (semicolon == std::string_view::npos) break;
            at = semicolon + 1;
            continue;
        }
        std::string key = trimmed(text.substr(at, equals - at));
        std::size_t v = equals + 1;
        while (v < text.size() && (text[v] == ' ' || text[v] == '\t')) ++v;
        std::string value;
        if (v < text.size() && text[v] == '{') {
            // Braced: up to the first "}" not doubled; the rest of the part is ignored.
            for (++v; v < text.size(); ++v) {
                if (text[v] == '}') {
                    if (v + 1 < text.size() && text[v + 1] == '}') {
                        value += '}';
                        ++v;
                        continue;
                    }
                    break;
                }
                value += text[v];
            }
            const std::size_t end = text.find(';', v);
            at = end == std::string_view::npos ? text.size() : end + 1;
        } else {
            const std::size_t end = text.find(';', v);
            value = trimmed(text.substr(v, end == std::string_view::npos ? std::string_view::npos : end - v));
            at = end == std::string_view::npos ? text.size() : end + 1;
        }
        if (!key.empty()) attributes.emplace_back(std::move(key), std::move(value));
    }
    return attributes;
}

std::string withSqliteExtension(std::string_view connectionString, std::string_view extensionPath) {
    const auto attributes = odbcAttributes(connectionString);
    if (extensionPath.empty() || !namesSqliteDriver(attributes) || hasKey(attributes, "loadext"))
        return std::string(connectionString);
    std::string s(connectionString);
    if (!s.empty() && s.back() != ';') s += ';';
    return s + "LoadExt=" + odbcAttributeValue(extensionPath) + ";";
}

bool namesSqliteDriverWithoutDatabase(std::string_view connectionString) {
    const auto attributes = odbcAttributes(connectionString);
    return namesSqliteDriver(attributes) && !hasKey(attributes, "database") && !hasKey(attributes, "dsn");
}

std::string odbcAttributeValue(std::string_view value) {
    refuseNul(value);
    bool needsBraces = value.find_first_of(";{}=[](),?*!@'\" ") != std::string_view::npos;
    if (!needsBraces) return std::string(value);
    std::string out = "{";
    for (char c : value) {
        out += c;
        if (c == '}') out += '}';
    }
    return out + "}";
}

std::string freeTdsConnectionString(std::string_view login, std::string_view password, std::string_view catalog,
                                    std::string_view server) {
    std::string host(server), port;
    if (auto comma = host.rfind(','); comma != std::string::npos) {
        port = host.substr(comma + 1);
        host = host.substr(0, comma);
    }
    std::string s = "DRIVER={FreeTDS};SERVER=" + odbcAttributeValue(host);
    if (!port.empty()) s += ";PORT=" + odbcAttributeValue(port);
    s += ";DATABASE=" + odbcAttributeValue(catalog);
    s += ";UID=" + odbcAttributeValue(login);
    s += ";PWD=" + odbcAttributeValue(password);
    s += ";TDS_Version=7.4;ClientCharset=UTF-8;ApplicationIntent=ReadOnly";
    return s;
}

std::string withCredentials(std::string_view connectionString, std::string_view login, std::string_view password) {
    refuseNul(connectionString);
    std::string s(connectionString);
    if (!s.empty() && s.back() != ';') s += ';';
    if (!login.empty()) s += "UID=" + odbcAttributeValue(login) + ";";
    if (!password.empty()) s += "PWD=" + odbcAttributeValue(password) + ";";
    return s;
}

}  // namespace tally::data
