// tallyvane-report's command line: the input split at NUL bytes is the argument vector.
// An accepted command line is always complete and well formed; a refused one says why.
#include <string>
#include <vector>

#include "CliOptions.h"
#include "FuzzCheck.h"

using tally::fuzz::check;

namespace {

bool isDayKey(const std::string& key) {
    if (key.size() != 8) return false;
    for (char c : key)
        if (c < '0' || c > '9') return false;
    int y = std::stoi(key.substr(0, 4)), m = std::stoi(key.substr(4, 2)), d = std::stoi(key.substr(6, 2));
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return y >= 0 && m >= 1 && m <= 12 && d >= 1 && d <= (m == 2 && leap ? 29 : days[m - 1]);
}

bool isOneOf(const std::string& s, std::initializer_list<const char*> set) {
    for (auto v : set)
        if (s == v) return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args;
    std::string current;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.push_back(current);
            current.clear();
        } else current += char(data[i]);
    }
    if (size > 0) args.push_back(current);
    std::string detail;
    for (const auto& a : args) detail += "[" + a + "] ";

    auto r = tally::cli::parseCommandLine(args);
    if (!r.options) {
        check(!r.message.empty(), "a refusal has a message", detail);
        bool helpOrVersion = false;
        for (const auto& a : args) helpOrVersion = helpOrVersion || a == "--help" || a == "-h" || a == "--version";
        check(r.status == 2 || (r.status == 0 && helpOrVersion),
              "a refusal exits with 2 (0 only for --help, --version)", detail);
        return 0;
    }
    const auto& o = *r.options;
    check(r.status == 0, "an accepted command line has status 0", detail);
    check(!(o.db.size() && o.settings.size()), "one source of the database", detail);
    if (o.isListing()) {
        check(isOneOf(o.format, {"json", "csv", "table"}), "a listing has a listing's format", detail);
        if (o.kind == "departments") return 0;
        check(o.departmentCodes.size() == 1 && !o.allDepartments, "fee items are listed for one department", detail);
    } else {
        check(isOneOf(o.kind, {"parking", "vat-invoicing", "pre-invoicing", "reconciliation"}), "a known kind", detail);
        check(isOneOf(o.format, {"json", "csv", "xlsx", "xls"}), "a known format", detail);
    }
    check(!o.department.empty(), "a department is given", detail);
    for (const auto& code : o.departmentCodes) check(!code.empty(), "no empty department code", detail);
    check(o.allDepartments || !o.departmentCodes.empty(), "all departments or some codes", detail);
    if (o.isBatch()) check(isOneOf(o.format, {"xlsx", "xls"}), "several departments go into sheets", detail);
    check(isDayKey(o.fromKey) && isDayKey(o.toKey), "the period is two real day keys",
          detail + "=> " + o.fromKey + ".." + o.toKey);
    check(!isOneOf(o.format, {"xlsx", "xls"}) || !o.output.empty() || !o.outputDir.empty(), "a spreadsheet has a file",
          detail);
    if (o.kind == "reconciliation") check(!o.year.empty(), "reconciliation is given by months", detail);
    if (!o.year.empty()) {
        check(o.fromKey.substr(0, 4) == o.year && o.toKey.substr(0, 4) == o.year, "months lie in the year", detail);
        check(o.fromKey.substr(4, 2) == o.startMonth && o.fromKey.substr(6) == "01", "the period starts on the 1st",
              detail);
        check(o.toKey.substr(4, 2) == o.endMonth &&
                  !isDayKey(o.toKey.substr(0, 6) + std::to_string(std::stoi(o.toKey.substr(6)) + 1)),
              "the period ends on the month's last day", detail);
    }
    for (const auto& s : o.splits) check(!s.feeCode.empty(), "a split names its fee item", detail);
    return 0;
}
