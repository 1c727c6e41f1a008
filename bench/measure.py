#!/usr/bin/env python3
"""Runs every measurement of the benchmark suite once (each the median of --runs runs),
prints the table and writes it to RESULTS.md. bench/run builds the programs and the
databases first and then calls this.

    python3 measure.py --build BUILD --db DB --work FOLDER --runs N --out RESULTS.md
        [--growth-db DB] [--items-db FEW_DB MANY_DB | --items-missing REASON]
"""
import argparse
import datetime
import os
import platform
import sqlite3
import statistics
import subprocess
import sys
import time
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))

# Targets on a 2-core machine.
VAT_ENGINE_TARGET = 2.0    # x the floor, VAT invoicing over a year, in-process
VAT_COMMAND_TARGET = 3.0   # x the floor as a command, tallyvane-report --format json
RECONCILIATION_TARGET = 5.0  # x its floor, 12 months in-process
GROWTH_TARGET = 1.25       # time on 6 years / time on 2 years, the one-month reports
ITEMS_TARGET = 2.0         # time with 300 fee items / time with 30
PAGE_DRAW_TARGET = 0.005   # seconds
EXPORT_BARE_TARGET = 1.3   # x the bare libxlsxwriter program
EXPORT_PEER_TARGET = 0.5   # x python3-xlsxwriter
MEMORY_TARGET_MB = 150.0   # a full-year run plus export
WINDOW_EVENT_TARGET = 0.1  # seconds a posted event waits while a statement runs off the window's thread
WINDOW_CANCEL_TARGET = 0.5  # seconds from 取消 to a usable window, embedded engine


def log(text):
    print(text, file=sys.stderr, flush=True)


class Figure:
    def __init__(self, key, median, fastest=None, cpu=None, runs=0, note=""):
        self.key, self.median, self.fastest, self.cpu, self.runs, self.note = key, median, fastest, cpu, runs, note


def parse_lines(text, failures=None):
    """Lines of engine_bench / export_bench / xlsx_peer.py: key, median, fastest, cpu, runs, note.
    A measurement that failed ("failed", key, message) goes to `failures` when given; without
    it the suite stops there."""
    figures, selection = {}, None
    for line in text.splitlines():
        f = line.split("\t")
        if f[0] == "selection":
            selection = (f[1], f[2])
        elif f[0] == "plans":
            figures["plans"] = (int(f[1]), f[2])
        elif f[0] == "failed":
            if failures is None:
                sys.exit("%s failed: %s" % (f[1], f[2]))
            failures[f[1]] = f[2]
        elif len(f) >= 6:
            figures[f[0]] = Figure(f[0], float(f[1]), float(f[2]), float(f[3]), int(f[4]), f[5])
    return figures, selection


def run_program(args):
    log("  $ " + " ".join(os.path.basename(a) if i == 0 else a for i, a in enumerate(args)))
    done = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    if done.returncode != 0:
        sys.exit("%s failed (%d):\n%s" % (args[0], done.returncode, done.stderr))
    return done.stdout


def maximum_resident_kb(report):
    """"Maximum resident set size (kbytes): N" from a /usr/bin/time -v report."""
    with open(report) as f:
        for line in f:
            if "Maximum resident set size" in line:
                return int(line.rsplit(":", 1)[1])
    sys.exit("no maximum resident set size in " + report)


def time_commands(commands, runs, work):
    """Median wall time of whole processes and their peak resident memory (/usr/bin/time),
    every command once per round, like the in-process figures."""
    for key, args, _ in commands:
        log("  $ " + os.path.basename(args[0]) + " " + " ".join(args[1:]) + "   x%d" % runs)
    memory_file = os.path.join(work, "time.txt")
    wall = {key: [] for key, _, _ in commands}
    peak = {key: 0 for key, _, _ in commands}
    for _ in range(runs):
        for key, args, _ in commands:
            start = time.perf_counter()
            done = subprocess.run(["/usr/bin/time", "-v", "-o", memory_file] + args,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
            wall[key].append(time.perf_counter() - start)
            if done.returncode != 0:
                sys.exit("%s failed (%d):\n%s" % (" ".join(args), done.returncode, done.stderr))
            peak[key] = max(peak[key], maximum_resident_kb(memory_file))
    figures = {}
    for key, _, note in commands:
        figure = Figure(key, statistics.median(wall[key]), min(wall[key]), None, runs, note)
        figure.peak_mb = peak[key] / 1024.0
        figures[key] = figure
    return figures


def same_cells(first, second):
    """The worksheet and the styles of two workbooks are byte for byte the same."""
    parts = ["xl/worksheets/sheet1.xml", "xl/styles.xml"]
    with zipfile.ZipFile(first) as a, zipfile.ZipFile(second) as b:
        return all(a.read(p) == b.read(p) for p in parts)


def seconds(value):
    if value is None:
        return ""
    if value < 0.01:
        return "%.2f ms" % (value * 1000)
    return "%.2f s" % value


def verdict(ok):
    return "yes" if ok else "**no**"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--db", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--year", default="2026")
    parser.add_argument("--out", required=True)
    parser.add_argument("--database-note", default="")
    parser.add_argument("--growth-db", help="the same invoices a year over more years")
    parser.add_argument("--growth-note", default="")
    parser.add_argument("--growth-department", default="01")
    parser.add_argument("--growth-from", default="20260301", help="first day of the one-month reports, YYYYMMDD")
    parser.add_argument("--growth-to", default="20260331")
    parser.add_argument("--items-db", nargs=2, metavar=("FEW", "MANY"), help="databases with few and many fee items")
    parser.add_argument("--items-counts", nargs=2, type=int, default=[30, 300], metavar=("FEW", "MANY"),
                        help="fee items in use in the two databases")
    parser.add_argument("--items-note", default="")
    parser.add_argument("--items-missing", default="", help="why the fee-item figure is not measured")
    args = parser.parse_args()
    os.makedirs(args.work, exist_ok=True)
    started = time.perf_counter()
    runs, year, db = str(args.runs), args.year, args.db
    report = os.path.join(args.build, "cli", "tallyvane-report")

    engine_bench = os.path.join(args.build, "bench", "engine_bench")
    floor_query = os.path.join(args.build, "bench", "floor_query")

    log("engines in-process (floors, reports, page draw)")
    engine, selection = parse_lines(run_program([engine_bench, "--db", db, "--year", year, "--runs", runs]))
    busiest, fund = selection

    log("tallyvane-report and the floor, whole processes")
    period = ["--from", year + "-01-01", "--to", year + "-12-31"]
    commands = [(kind, [report, "--db", db, kind, "--department", busiest] + period + ["--format", "json"],
                 "json to /dev/null") for kind in ["vat-invoicing", "parking", "pre-invoicing"]]
    commands.append(("reconciliation", [report, "--db", db, "reconciliation", "--department", busiest, "--year", year,
                                        "--start-month", "01", "--end-month", "12", "--format", "json"],
                     "json to /dev/null"))
    commands.append(("export", [report, "--db", db, "vat-invoicing", "--department", busiest] + period +
                     ["--format", "xlsx", "--output", os.path.join(args.work, "export-cli.xlsx")],
                     "run and xlsx export"))
    floor_command = [floor_query, "--db", db, "--department", busiest, "--year", year]
    commands.append(("floor", floor_command, "groups to /dev/null"))
    commands.append(("floor:reconciliation", floor_command + ["--reconciliation"], "groups to /dev/null"))
    cli = time_commands(commands, args.runs, args.work)

    log("spreadsheet export")
    plan = os.path.join(args.work, "export-plan.tsv")
    exports, _ = parse_lines(run_program(
        [os.path.join(args.build, "bench", "export_bench"), "--db", db, "--year", year, "--runs", runs,
         "--out", args.work, "--plan", plan]))
    identical = same_cells(os.path.join(args.work, "export-ours.xlsx"), os.path.join(args.work, "export-bare.xlsx"))
    peer, _ = parse_lines(run_program(
        [sys.executable, os.path.join(HERE, "xlsx_peer.py"), plan, os.path.join(args.work, "export-peer.xlsx"),
         "--runs", runs]))
    exports.update(peer)

    log("report window during a 10-second statement (offscreen)")
    window, _ = parse_lines(run_program(
        [os.path.join(args.build, "bench", "window_bench"), "--db", db, "--runs", runs]))

    growth = None
    if args.growth_db:
        log("growth: one month on the longer database beside the same month here")
        growth, _ = parse_lines(run_program(
            [engine_bench, "--db", db, "--second-db", args.growth_db, "--year", year, "--runs", runs,
             "--department", args.growth_department, "--from", args.growth_from, "--to", args.growth_to,
             "--only", "floor,vat-invoicing,parking,pre-invoicing,reconciliation"]))

    items, item_failures, item_department = None, {}, None
    if args.items_db:
        log("fee items: many beside few")
        items, item_selection = parse_lines(run_program(
            [engine_bench, "--db", args.items_db[0], "--second-db", args.items_db[1], "--year", year, "--runs", runs,
             "--only", "vat-invoicing,reconciliation"]), item_failures)
        item_department = item_selection[0]

    floor, reconciliation_floor = engine["floor"].median, engine["floor:reconciliation"].median
    command_floor, command_reconciliation_floor = cli["floor"].median, cli["floor:reconciliation"].median
    rows = []  # operation, median, cpu, ratio, target, met

    def add(operation, figure, ratio="", target="", met=""):
        rows.append((operation, seconds(figure.median), seconds(figure.cpu), ratio, target, met))

    def against(value, base, target, name):
        r = value / base
        return ("%.2f × %s" % (r, name), "≤ %g × %s" % (target, name) if target else "",
                verdict(r <= target) if target else "")

    add("floor: the selection's own lines summed per invoice, batch and item, in-process (%s)" % engine["floor"].note,
        engine["floor"], "1.00")
    add("floor as a command: bench/floor_query, the same statement (%s)" % cli["floor"].note, cli["floor"],
        "%.2f × floor" % (command_floor / floor))
    add("reconciliation floor: the year's lines without the voided ones, in-process (%s)" %
        engine["floor:reconciliation"].note, engine["floor:reconciliation"], "1.00")
    add("reconciliation floor as a command (%s)" % cli["floor:reconciliation"].note, cli["floor:reconciliation"],
        "%.2f × its floor" % (command_reconciliation_floor / reconciliation_floor))

    e, c = engine["engine:vat-invoicing"], cli["vat-invoicing"]
    add("VAT invoicing, extraction + statistics, in-process (%s)" % e.note, e,
        *against(e.median, floor, VAT_ENGINE_TARGET, "floor"))
    add("VAT invoicing, tallyvane-report --format json", c,
        *against(c.median, command_floor, VAT_COMMAND_TARGET, "floor as a command"))
    e = engine["engine:vat-invoicing-per-line"]
    add("VAT invoicing line by line (维修基金), in-process (%s)" % e.note, e,
        *against(e.median, engine["fund:floor"].median, None, "its department's floor"))
    e, c = engine["engine:reconciliation"], cli["reconciliation"]
    add("reconciliation, in-process (%s)" % e.note, e,
        *against(e.median, reconciliation_floor, RECONCILIATION_TARGET, "its floor"))
    add("reconciliation, tallyvane-report --format json", c,
        *against(c.median, command_reconciliation_floor, None, "its floor as a command"))
    labels = {"parking": "parking fees", "pre-invoicing": "VAT pre-invoicing"}
    for kind, label in labels.items():
        e, c = engine["engine:" + kind], cli[kind]
        add("%s, extraction + statistics, in-process (%s)" % (label, e.note), e,
            *against(e.median, floor, None, "floor"))
        add("%s, tallyvane-report --format json" % label, c, *against(c.median, command_floor, None,
                                                                       "floor as a command"))
    checked, unindexed = engine["plans"]
    rows.append(("query plans of every report statement on this database (%d statements): derived tables "
                 "joined without an index" % checked, "", "", "", "none", verdict(unindexed == "-")))
    if unindexed != "-":
        log("unindexed derived-table joins: " + unindexed)

    if growth:
        for key, label, target in [("floor", "floor", None), ("engine:vat-invoicing", "VAT invoicing", GROWTH_TARGET),
                                   ("engine:parking", "parking fees", GROWTH_TARGET),
                                   ("engine:pre-invoicing", "VAT pre-invoicing", GROWTH_TARGET),
                                   ("engine:reconciliation", "reconciliation, 12 months", None)]:
            short, long = growth[key], growth["second:" + key]
            add("growth: %s, in-process, 6 years %s beside 2 years %s (%s; 2 years: %s)" % (
                label, seconds(long.median), seconds(short.median), long.note, short.note), long,
                *against(long.median, short.median, target, "2 years"))
    else:
        rows.append(("growth: not measured (no longer database given)", "", "", "", "", ""))

    if items is not None:
        few_n, many_n = args.items_counts
        for key, label in [("engine:vat-invoicing", "VAT invoicing, the year"),
                           ("engine:reconciliation", "reconciliation, 12 months")]:
            few, many = items.get(key), items.get("second:" + key)
            failed = ["%d items: %s" % (n, item_failures[k]) for n, k in [(few_n, key), (many_n, "second:" + key)]
                      if k in item_failures]
            if few and many:
                add("fee items: %s, in-process, %d items %s beside %d items %s (%s; %d items: %s)" % (
                    label, many_n, seconds(many.median), few_n, seconds(few.median), many.note, few_n, few.note),
                    many, *against(many.median, few.median, ITEMS_TARGET, "%d items" % few_n))
            else:
                done = ["%d items %s (%s)" % (n, seconds(f.median), f.note) for n, f in [(few_n, few), (many_n, many)]
                        if f]
                rows.append(("fee items: %s, department %s: did not complete (%s)%s" % (
                    label, item_department, "; ".join(failed), "; completed: " + done[0] if done else ""),
                    "", "", "", "completes", verdict(False)))
    else:
        rows.append(("fee items: not measured (%s)" % (args.items_missing or "no databases given"),
                     "", "", "", "", ""))

    p = engine["page-draw"]
    add("page draw: %s" % p.note, p, "", "≤ %g ms" % (PAGE_DRAW_TARGET * 1000), verdict(p.median <= PAGE_DRAW_TARGET))

    ours, bare, python = exports["export:ours"], exports["export:bare"], exports["export:python3-xlsxwriter"]
    add("export, VAT invoicing full year, in-process (%s)" % ours.note, ours,
        "%.2f × bare" % (ours.median / bare.median), "≤ %g × bare" % EXPORT_BARE_TARGET,
        verdict(ours.median / bare.median <= EXPORT_BARE_TARGET))
    rows.append(("export, the same against the peer", "", "", "%.2f × python3-xlsxwriter" % (ours.median / python.median),
                 "≤ %g × peer" % EXPORT_PEER_TARGET, verdict(ours.median / python.median <= EXPORT_PEER_TARGET)))
    add("export floor: the same cells and formats straight through libxlsxwriter (%s; same sheet and styles "
        "as ours: %s)" % (bare.note, "yes" if identical else "NO"), bare, "1.00")
    add("export peer: python3-xlsxwriter, the same cells (%s)" % python.note, python,
        "%.2f × bare" % (python.median / bare.median))
    c = cli["export"]
    add("VAT invoicing run + export, tallyvane-report --format xlsx", c,
        "%.2f × floor as a command" % (c.median / command_floor))

    w = window["window:event-latency"]
    add("report window: a posted event's wait while a statement runs off its thread (%s)" % w.note, w, "",
        "≤ %g ms" % (WINDOW_EVENT_TARGET * 1000), verdict(w.median <= WINDOW_EVENT_TARGET))
    w = window["window:cancel"]
    add("report window: 取消 during that statement until the window is usable (%s)" % w.note, w, "",
        "≤ %g s" % WINDOW_CANCEL_TARGET, verdict(w.median <= WINDOW_CANCEL_TARGET))

    memory = [("vat-invoicing", "VAT invoicing"), ("parking", "parking fees"), ("pre-invoicing", "VAT pre-invoicing"),
              ("reconciliation", "reconciliation"), ("export", "VAT invoicing run + export")]
    for kind, label in memory:
        c = cli[kind]
        target = "≤ %g MB" % MEMORY_TARGET_MB if kind in ("vat-invoicing", "export") else ""
        met = verdict(c.peak_mb <= MEMORY_TARGET_MB) if target else ""
        rows.append(("peak memory: %s, tallyvane-report" % label, "%.0f MB" % c.peak_mb, "", "", target, met))

    header = ("operation", "median", "CPU (median)", "ratio", "target", "met")
    table = ["| " + " | ".join(header) + " |", "|" + "|".join("---" for _ in header) + "|"]
    table += ["| " + " | ".join(r) + " |" for r in rows]

    now = datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d %H:%M UTC")
    cores = os.cpu_count()
    nproc = subprocess.run(["nproc"], stdout=subprocess.PIPE, text=True).stdout.strip()
    load = os.getloadavg()
    took = time.perf_counter() - started
    lines = [
        "# Benchmark results",
        "",
        "Written by `bench/run` on %s; `nproc` = %s; load average at the end %.2f %.2f %.2f (other work "
        "shares the machine, so compare ratios within one run). Every figure is the median of %s runs in "
        "this one run of the script; \"CPU\" is the processor time of the measuring process where it is "
        "measured in-process. The suite took %.0f s." % (now, nproc or cores, load[0], load[1], load[2], runs, took),
        "",
        "Database: %s. Year %s; busiest department %s; department with a 维修基金 item %s. "
        "SQLite %s, Python %s." % (args.database_note or os.path.basename(db), year, busiest, fund,
                                   sqlite3.sqlite_version, platform.python_version()),
        "",
        "What the figures measure:",
        "",
        "- **Floor**: one plain statement that sums the selection's own lines per invoice, batch and fee item: "
        "the lines of the busiest department's invoices issued in the year, or collected in it and issued "
        "earlier (what VAT invoicing selects), with the dates tested as ranges so that the department's date "
        "index is sought. The reconciliation's floor is the same statement over its twelve months with the "
        "voided invoices left out. Both are timed in-process through the connection the reports use, and as "
        "whole commands (`bench/floor_query`: start, open, statement, every group written to /dev/null) for the "
        "command rows.",
        "- **VAT invoicing**, a year of the busiest department: in-process at most %g × the floor; "
        "`tallyvane-report --format json` at most %g × the floor as a command." % (VAT_ENGINE_TARGET,
                                                                             VAT_COMMAND_TARGET),
        "- **Reconciliation**, twelve months: in-process at most %g × its floor; the command row is "
        "for reference." % RECONCILIATION_TARGET,
        "- Parking fees and pre-invoicing select by other dates than the floor, and the line-by-line VAT run "
        "covers another department (set against that department's floor): their ratios are for reference, "
        "without a target.",
        "- **Growth**: %s. One month (department %s, %s to %s) of each detail report, and the reconciliation's "
        "twelve months, in-process on both databases in the same rounds; time on the longer database / time "
        "here, at most %g for the one-month reports (the floor and the reconciliation for reference). The "
        "generator draws every year from one random stream, so the month holds slightly different invoices in "
        "the two databases (row counts in the notes)." % (
            args.growth_note or "not measured", args.growth_department, args.growth_from, args.growth_to,
            GROWTH_TARGET),
        "- **Fee items**: %s. VAT invoicing over the year and the reconciliation's twelve months of the "
        "busiest department, in-process on both databases in the same rounds; time with %d items / time with "
        "%d, at most %g, and both must complete." % (
            args.items_note or args.items_missing or "not measured", args.items_counts[1], args.items_counts[0],
            ITEMS_TARGET),
        "- **Page draw**, **export** and **peak memory** as their rows say. The export figures time the writing "
        "of the workbook only (the report's rows are in memory); all three writers use libxlsxwriter's or "
        "xlsxwriter's constant-memory mode. The command rows include starting the process, loading the lists "
        "and writing the output.",
        "",
    ] + table + [""]
    text = "\n".join(lines)
    print("\n".join(table))
    temporary = args.out + ".tmp"
    with open(temporary, "w", encoding="utf-8") as f:
        f.write(text)
    os.replace(temporary, args.out)
    log("wrote " + args.out)


if __name__ == "__main__":
    main()
