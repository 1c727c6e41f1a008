#include "CliOptions.h"

#include <QCommandLineParser>
#include <QStringList>

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

const char* const kSplitForm = "--split takes FEECODE=DEV/PROP, for example P01=60/40";

// Every option but --help, -h and --version takes the next argument as its value.
const char* const kValueOptions[] = {"db",          "department", "office", "from",   "to",     "year",
                                     "start-month", "end-month",  "split",  "format", "output", "output-dir",
                                     "sql-log",     "settings",   "row",    "cell"};

bool takesValue(const std::string& argument) {
    for (const char* name : kValueOptions)
        if (argument == std::string("--") + name) return true;
    return false;
}

// "P01=60/40": the fee code before the first '=', the percentages either side of the '/' after it.
std::optional<SplitOption> splitOption(const std::string& s) {
    const auto eq = s.find('=');
    const auto slash = s.find('/', eq == std::string::npos ? 0 : eq);
    if (eq == std::string::npos || slash == std::string::npos || eq == 0) return std::nullopt;
    return SplitOption{s.substr(0, eq), s.substr(eq + 1, slash - eq - 1), s.substr(slash + 1)};
}

// QCommandLineParser would also take "--db=FILE", "-hx" as "-h -x", "-" and "--", and it
// reports mistakes by kind rather than in order. So the arguments are first walked as the
// tool always read them: only the spellings above, each value the next argument, one KIND
// (an empty argument does not count as one), and the first mistake is the one named.
// --help (and --version) counts only where it is not an option's value, and nothing after it is read;
// `wellFormed` is how many arguments the parser is then given.
std::optional<ParseResult> refusedArguments(const std::vector<std::string>& args, std::size_t& wellFormed) {
    wellFormed = args.size();
    bool kindSeen = false, explainSeen = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h" || a == "--version") {
            wellFormed = i + 1;
            break;
        }
        if (a.empty() || a[0] != '-') {
            if (kindSeen) return bad("unexpected argument " + a);
            kindSeen = !a.empty() && !(a == "explain" && !explainSeen);
            explainSeen = explainSeen || a == "explain";
            continue;
        }
        if (!takesValue(a)) return bad("unknown option " + a);
        if (a == "--split" && (i + 1 == args.size() || !splitOption(args[i + 1]))) return bad(kSplitForm);
        if (i + 1 == args.size()) return bad(a + " needs a value");
        ++i;
    }
    return std::nullopt;
}

int positiveNumber(const std::string& text) {
    if (text.empty() || text.size() > 9) return 0;
    for (char c : text)
        if (c < '0' || c > '9') return 0;
    return std::stoi(text);
}

// "N" (a row) or "ROW,COL"; nullopt unless each is a number from 1.
std::optional<std::pair<int, int>> explainPlace(const std::string& text, bool cell) {
    if (!cell) {
        const int row = positiveNumber(text);
        if (row < 1) return std::nullopt;
        return std::make_pair(row, 0);
    }
    const auto comma = text.find(',');
    if (comma == std::string::npos) return std::nullopt;
    const int row = positiveNumber(text.substr(0, comma)), column = positiveNumber(text.substr(comma + 1));
    if (row < 1 || column < 1) return std::nullopt;
    return std::make_pair(row, column);
}

bool hasPdfExtension(const std::string& name) {
    if (name.size() < 4) return false;
    std::string extension = name.substr(name.size() - 4);
    for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return extension == ".pdf";
}

// Latin-1 carries every byte as one character, so a path that is not UTF-8 comes back unchanged.
QString fromBytes(const std::string& s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }

std::string toBytes(const QString& s) {
    const QByteArray bytes = s.toLatin1();
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

}  // namespace

std::optional<std::string> dayKeyFromIsoDate(const std::string& text) {
    if (text.size() != 10) return std::nullopt;
    auto d = data::parseDateTime(text);
    if (!d || d->day > daysInMonth(d->year, d->month)) return std::nullopt;
    return d->dayKey();
}

std::string versionText() { return std::string("tallyvane-report ") + TALLYVANE_VERSION + "\n"; }

std::string usageText() {
    return "Usage: tallyvane-report [--db FILE.sqlite] KIND --department CODE [--office CODE]\n"
           "                        (--from YYYY-MM-DD --to YYYY-MM-DD | --year YYYY --start-month MM --end-month MM)\n"
           "                        [--split FEECODE=DEV/PROP]... [--format json|csv|xlsx|xls|pdf] [--output FILE]\n"
           "       tallyvane-report [--db FILE.sqlite] KIND --department all|CODE,CODE,... (period)\n"
           "                        [--split FEECODE=DEV/PROP]... --format xlsx|xls (--output FILE | --output-dir "
           "DIR)\n"
           "       tallyvane-report [--db FILE.sqlite] departments [--format json|csv|table] [--output FILE]\n"
           "       tallyvane-report [--db FILE.sqlite] fee-items --department CODE [--office CODE] (period)\n"
           "                        [--format json|csv|table] [--output FILE]\n"
           "       tallyvane-report [--db FILE.sqlite] explain KIND --department CODE [--office CODE] (period)\n"
           "                        [--split FEECODE=DEV/PROP]... (--row N | --cell ROW,COL) [--format json|csv]\n"
           "                        [--output FILE]\n"
           "       tallyvane-report --version\n"
           "\n"
           "Runs one report without a window and writes its whole result.\n"
           "\n"
           "  KIND                parking, vat-invoicing, pre-invoicing or reconciliation\n"
           "  departments         lists every department: code, office code, office name, closed or not\n"
           "  fee-items           lists the fee items invoiced or collected for the department in the\n"
           "                      period: code, name, category, rate, parking or not\n"
           "  explain KIND        lists the invoice lines behind one figure of the report: number, batch,\n"
           "                      type, issue, collection and void dates, payer, fee item, amount, tax,\n"
           "                      rate and what the line adds to the figure; their total comes last\n"
           "  --row N, --cell ROW,COL\n"
           "                      explain: row N, or the cell at row ROW and column COL, both counted\n"
           "                      from 1 (序 is column 1); the reconciliation report takes a cell\n"
           "  --db FILE.sqlite    the embedded database file; without it the user's connection settings\n"
           "                      (Korvane2011.ini, section DBConfig) are used\n"
           "  --settings FILE     the connection settings from FILE, an INI file of the same form\n"
           "  --sql-log FILE      appends every statement sent, with its duration and row count, to FILE\n"
           "  --department CODE   the department (职能部门编号) of the department list\n"
           "                      (tallyvane-report departments lists them)\n"
           "  --department all, --department CODE,CODE,...\n"
           "                      every active department, or those listed, one after the other; only\n"
           "                      with --format xlsx or xls; departments without data are named on\n"
           "                      standard error and skipped\n"
           "  --office CODE       its office (gyd_dh) when the department has several; else the first\n"
           "  --from, --to        the period, both days included\n"
           "  --year, --start-month, --end-month\n"
           "                      the period as whole months (the reconciliation report needs these)\n"
           "  --split FEECODE=DEV/PROP\n"
           "                      developer and property percentages of a parking fee item (default 70/30);\n"
           "                      an item the period did not extract is named on standard error\n"
           "  --format            json (default), csv (UTF-8 with BOM), xlsx, xls or pdf; table (aligned\n"
           "                      text) for the lists\n"
           "  --output FILE       where to write; json and csv go to standard output without it\n"
           "                      xlsx and xls write the report window's spreadsheet export; as in its save\n"
           "                      dialog FILE's extension picks the file: .xls is converted by LibreOffice\n"
           "                      (soffice) and becomes the .xlsx beside it when LibreOffice is missing, any\n"
           "                      other extension the .xlsx beside it; the file written is named on standard\n"
           "                      error (its path on the last line); with several departments one\n"
           "                      workbook with a sheet per department, in the order given\n"
           "                      pdf prints the report on A4 landscape pages fitted to the width, the\n"
           "                      headings on every page; a FILE ending .pdf picks it without --format\n"
           "  --output-dir DIR    one file per department in DIR, named as the report window proposes\n"
           "  --version           prints the program's version\n"
           "\n"
           "Exit status: 0 written; 3 nothing found (message on standard error); 2 a refused selection or\n"
           "bad arguments; 1 a database or other error. With several departments: 0 when at least one was\n"
           "written, 3 when none had data.\n";
}

ParseResult parseCommandLine(const std::vector<std::string>& args) {
    std::size_t wellFormed = 0;
    if (auto refused = refusedArguments(args, wellFormed)) return *refused;
    QCommandLineParser parser;
    parser.addOption(QCommandLineOption(QStringList{"h", "help"}));
    parser.addOption(QCommandLineOption("version"));
    for (const char* name : kValueOptions) parser.addOption(QCommandLineOption(name, QString(), "VALUE"));
    QStringList arguments{"tallyvane-report"};  // the parser skips the first as the program's name
    for (std::size_t i = 0; i < wellFormed; ++i) arguments << fromBytes(args[i]);
    const bool parsed = parser.parse(arguments);
    if (parser.isSet("help")) return {std::nullopt, usageText(), 0};
    if (parser.isSet("version")) return {std::nullopt, versionText(), 0};
    if (!parsed) return bad(parser.errorText().toStdString());  // not expected after the walk above

    CliOptions o;
    for (const QString& positional : parser.positionalArguments()) {
        if (o.kind.empty() && !o.explain && positional == "explain") o.explain = true;
        else if (o.kind.empty()) o.kind = toBytes(positional);
    }
    auto value = [&](const char* name) { return toBytes(parser.value(name)); };
    o.db = value("db");
    o.department = value("department");
    o.office = value("office");
    o.year = value("year");
    o.startMonth = value("start-month");
    o.endMonth = value("end-month");
    if (parser.isSet("format")) o.format = value("format");
    o.output = value("output");
    o.outputDir = value("output-dir");
    o.sqlLog = value("sql-log");
    o.settings = value("settings");
    const bool listing = o.isListing();
    const std::string from = value("from"), to = value("to");
    for (const QString& text : parser.values("split")) {
        if (auto split = splitOption(toBytes(text))) o.splits.push_back(std::move(*split));
        else return bad(kSplitForm);
    }
    if (o.kind.empty()) return bad("the report KIND is missing");
    if (o.kind != "parking" && o.kind != "vat-invoicing" && o.kind != "pre-invoicing" && o.kind != "reconciliation" &&
        !listing)
        return bad("unknown report kind " + o.kind);
    if (!o.db.empty() && !o.settings.empty()) return bad("give either --db or --settings");
    if (o.explain) {
        if (o.isListing()) return bad("explain takes a report KIND");
        if (parser.isSet("row") == parser.isSet("cell")) return bad("explain takes --row N or --cell ROW,COL");
        if (auto place = explainPlace(value(parser.isSet("row") ? "row" : "cell"), parser.isSet("cell"))) {
            o.explainRow = place->first;
            o.explainColumn = place->second;
        } else {
            return bad("--row takes a row number from 1, --cell a row and a column from 1: 3,5");
        }
        if (o.format != "json" && o.format != "csv") return bad("explain writes --format json or csv");
        if (!o.outputDir.empty() || o.department == "all" || o.department.find(',') != std::string::npos)
            return bad("explain takes a single --department");
    } else if (parser.isSet("row") || parser.isSet("cell")) {
        return bad("--row and --cell go with explain");
    }
    if (o.kind == "departments") {
        if (o.format != "json" && o.format != "csv" && o.format != "table") return bad("unknown format " + o.format);
        return {o, "", 0};
    }
    if (o.department.empty()) return bad("--department is missing");
    if (o.department == "all") {
        o.allDepartments = true;
    } else {
        for (std::size_t start = 0;;) {
            const auto comma = o.department.find(',', start);
            std::string code =
                o.department.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            if (code.empty()) return bad("--department takes CODE, all or CODE,CODE,...");
            o.departmentCodes.push_back(std::move(code));
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
    }
    // A report written to "name.pdf" without --format is printed, as the save dialog's name picks the file.
    if (!listing && !parser.isSet("format") && hasPdfExtension(o.output)) o.format = "pdf";
    if (listing) {
        if (o.format != "json" && o.format != "csv" && o.format != "table") return bad("unknown format " + o.format);
        if (o.allDepartments || o.departmentCodes.size() > 1) return bad("fee-items takes a single --department");
    } else if (o.format != "json" && o.format != "csv" && o.format != "xlsx" && o.format != "xls" &&
               o.format != "pdf") {
        return bad("unknown format " + o.format);
    }
    const bool sheets = o.format == "xlsx" || o.format == "xls";
    if (!o.outputDir.empty() && (!sheets || !o.output.empty()))
        return bad("--output-dir takes --format xlsx or xls and no --output");
    if (o.isBatch()) {
        if (!sheets) return bad("--department all and lists of departments take --format xlsx or xls");
        if (!o.office.empty() && o.departmentCodes.size() != 1) return bad("--office takes a single --department");
        if (o.output.empty() && o.outputDir.empty())
            return bad("--format " + o.format + " with several departments needs --output FILE or --output-dir DIR");
    }
    if ((sheets || o.format == "pdf") && o.output.empty() && o.outputDir.empty())
        return bad("--format " + o.format + " needs --output FILE");

    bool byDates = !from.empty() || !to.empty();
    bool byMonths = !o.year.empty() || !o.startMonth.empty() || !o.endMonth.empty();
    if (byDates == byMonths) return bad("give the period either as --from/--to or as --year/--start-month/--end-month");
    if (byDates) {
        auto f = dayKeyFromIsoDate(from), t = dayKeyFromIsoDate(to);
        if (!f || !t) return bad("--from and --to take dates as YYYY-MM-DD");
        o.fromKey = *f;
        o.toKey = *t;
        if (o.kind == "reconciliation")
            return bad("the reconciliation report takes --year, --start-month, --end-month");
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
