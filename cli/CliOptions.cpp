#include "CliOptions.h"

#include <cstdio>

#include "Value.h"

namespace tally::cli {
namespace {

bool isLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeapYear(y) ? 29 : days[m - 1];
}

bool isDigits(const std::string& s, std::size_t n) {
    if (s.size() != n) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

ParseResult bad(std::string message) { return {std::nullopt, std::move(message) + "\n\n" + usageText(), 2}; }

}  // namespace

std::optional<std::string> dayKeyFromIsoDate(const std::string& text) {
    if (text.size() != 10) return std::nullopt;
    auto d = data::parseDateTime(text);
    if (!d || d->day > daysInMonth(d->year, d->month)) return std::nullopt;
    return d->dayKey();
}

std::string usageText() {
    return "Usage: tallyvane-report [--db FILE.sqlite] KIND --department CODE [--office CODE]\n"
           "                        (--from YYYY-MM-DD --to YYYY-MM-DD | --year YYYY --start-month MM --end-month MM)\n"
           "                        [--split FEECODE=DEV/PROP]... [--format json|csv|xlsx|xls] [--output FILE]\n"
           "\n"
           "Runs one report without a window and writes its whole result.\n"
           "\n"
           "  KIND                parking, vat-invoicing, pre-invoicing or reconciliation\n"
           "  --db FILE.sqlite    the embedded database file; without it the user's connection settings\n"
           "                      (Korvane2011.ini, section DBConfig) are used\n"
           "  --department CODE   the department (职能部门编号) of the department list\n"
           "  --office CODE       its office (gyd_dh) when the department has several; else the first\n"
           "  --from, --to        the period, both days included\n"
           "  --year, --start-month, --end-month\n"
           "                      the period as whole months (the reconciliation report needs these)\n"
           "  --split FEECODE=DEV/PROP\n"
           "                      developer and property percentages of a parking fee item (default 70/30)\n"
           "  --format            json (default), csv (UTF-8 with BOM), xlsx or xls\n"
           "  --output FILE       where to write; json and csv go to standard output without it\n"
           "                      xlsx and xls write the report window's spreadsheet export; as in its save\n"
           "                      dialog FILE's extension picks the file: .xls is converted by LibreOffice\n"
           "                      (soffice) and becomes the .xlsx beside it when LibreOffice is missing, any\n"
           "                      other extension the .xlsx beside it; the file written is named on standard\n"
           "                      error (its path on the last line)\n"
           "\n"
           "Exit status: 0 written; 3 nothing found (message on standard error); 2 a refused selection or\n"
           "bad arguments; 1 a database or other error.\n";
}

ParseResult parseCommandLine(const std::vector<std::string>& args) {
    CliOptions o;
    std::string from, to;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") return {std::nullopt, usageText(), 0};
        auto value = [&](std::string& target) -> bool {
            if (i + 1 >= args.size()) return false;
            target = args[++i];
            return true;
        };
        bool ok = true;
        if (a == "--db") ok = value(o.db);
        else if (a == "--department") ok = value(o.department);
        else if (a == "--office") ok = value(o.office);
        else if (a == "--from") ok = value(from);
        else if (a == "--to") ok = value(to);
        else if (a == "--year") ok = value(o.year);
        else if (a == "--start-month") ok = value(o.startMonth);
        else if (a == "--end-month") ok = value(o.endMonth);
        else if (a == "--format") ok = value(o.format);
        else if (a == "--output") ok = value(o.output);
        else if (a == "--split") {
            std::string s;
            ok = value(s);
            auto eq = s.find('='), slash = s.find('/', s.find('=') == std::string::npos ? 0 : s.find('='));
            if (!ok || eq == std::string::npos || slash == std::string::npos || eq == 0)
                return bad("--split takes FEECODE=DEV/PROP, for example P01=60/40");
            o.splits.push_back({s.substr(0, eq), s.substr(eq + 1, slash - eq - 1), s.substr(slash + 1)});
        } else if (!a.empty() && a[0] == '-') {
            return bad("unknown option " + a);
        } else if (o.kind.empty()) {
            o.kind = a;
        } else {
            return bad("unexpected argument " + a);
        }
        if (!ok) return bad(a + " needs a value");
    }
    if (o.kind.empty()) return bad("the report KIND is missing");
    if (o.kind != "parking" && o.kind != "vat-invoicing" && o.kind != "pre-invoicing" && o.kind != "reconciliation")
        return bad("unknown report kind " + o.kind);
    if (o.department.empty()) return bad("--department is missing");
    if (o.format != "json" && o.format != "csv" && o.format != "xlsx" && o.format != "xls")
        return bad("unknown format " + o.format);
    if ((o.format == "xlsx" || o.format == "xls") && o.output.empty())
        return bad("--format " + o.format + " needs --output FILE");

    bool byDates = !from.empty() || !to.empty();
    bool byMonths = !o.year.empty() || !o.startMonth.empty() || !o.endMonth.empty();
    if (byDates == byMonths)
        return bad("give the period either as --from/--to or as --year/--start-month/--end-month");
    if (byDates) {
        auto f = dayKeyFromIsoDate(from), t = dayKeyFromIsoDate(to);
        if (!f || !t) return bad("--from and --to take dates as YYYY-MM-DD");
        o.fromKey = *f;
        o.toKey = *t;
        if (o.kind == "reconciliation") return bad("the reconciliation report takes --year, --start-month, --end-month");
    } else {
        if (!isDigits(o.year, 4) || !isDigits(o.startMonth, 2) || !isDigits(o.endMonth, 2))
            return bad("--year takes YYYY, --start-month and --end-month take MM (01 to 12)");
        int y = std::stoi(o.year), sm = std::stoi(o.startMonth), em = std::stoi(o.endMonth);
        if (sm < 1 || sm > 12 || em < 1 || em > 12) return bad("months run from 01 to 12");
        char buf[16];
        std::snprintf(buf, sizeof buf, "%04d%02d01", y, sm);
        o.fromKey = buf;
        std::snprintf(buf, sizeof buf, "%04d%02d%02d", y, em, daysInMonth(y, em));
        o.toKey = buf;
    }
    return {o, "", 0};
}

}  // namespace tally::cli
