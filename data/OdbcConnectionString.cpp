#include "OdbcConnectionString.h"

#include "DbError.h"

namespace tally::data {
namespace {

// The driver manager reads the string up to its first NUL: a NUL inside a value would
// drop every attribute after it (ApplicationIntent=ReadOnly among them).
void refuseNul(std::string_view text) {
    if (text.find('\0') != std::string_view::npos) throw DbError(-1, "a connection setting contains a NUL character");
}

}  // namespace

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
