#!/usr/bin/env python3
"""Runs every measurement of the benchmark suite once (each the median of --runs runs),
prints the table and writes it to RESULTS.md. bench/run builds the programs and the
database first and then calls this.

    python3 measure.py --build BUILD --db DB --work FOLDER --runs N --out RESULTS.md
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

# Targets on a 2-core machine (the benchmark issue).
DETAIL_TARGET = 4.0        # x the floor, each detail report
RECONCILIATION_TARGET = 12.0
PAGE_DRAW_TARGET = 0.005   # seconds
EXPORT_BARE_TARGET = 1.3   # x the bare libxlsxwriter program
EXPORT_PEER_TARGET = 0.5   # x python3-xlsxwriter
MEMORY_TARGET_MB = 150.0   # a full-year run plus export


def log(text):
    print(text, file=sys.stderr, flush=True)


class Figure:
    def __init__(self, key, median, fastest=None, cpu=None, runs=0, note=""):
        self.key, self.median, self.fastest, self.cpu, self.runs, self.note = key, median, fastest, cpu, runs, note


def parse_lines(text):
    """Lines of engine_bench / export_bench / xlsx_peer.py: key, median, fastest, cpu, runs, note."""
    figures, selection = {}, None
    for line in text.splitlines():
        f = line.split("\t")
        if f[0] == "selection":
            selection = (f[1], f[2])
        elif f[0] == "plans":
            figures["plans"] = (int(f[1]), f[2])
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
        log("  $ tallyvane-report " + " ".join(args[1:]) + "   x%d" % runs)
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
    args = parser.parse_args()
    os.makedirs(args.work, exist_ok=True)
    started = time.perf_counter()
    runs, year, db = str(args.runs), args.year, args.db
    report = os.path.join(args.build, "cli", "tallyvane-report")

    log("engines in-process (floor, reports, page draw)")
    engine, selection = parse_lines(run_program(
        [os.path.join(args.build, "bench", "engine_bench"), "--db", db, "--year", year, "--runs", runs]))
    busiest, fund = selection

    log("tallyvane-report, whole processes")
    period = ["--from", year + "-01-01", "--to", year + "-12-31"]
    commands = [(kind, [report, "--db", db, kind, "--department", busiest] + period + ["--format", "json"],
                 "json to /dev/null") for kind in ["vat-invoicing", "parking", "pre-invoicing"]]
    commands.append(("reconciliation", [report, "--db", db, "reconciliation", "--department", busiest, "--year", year,
                                        "--start-month", "01", "--end-month", "12", "--format", "json"],
                     "json to /dev/null"))
    commands.append(("export", [report, "--db", db, "vat-invoicing", "--department", busiest] + period +
                     ["--format", "xlsx", "--output", os.path.join(args.work, "export-cli.xlsx")],
                     "run and xlsx export"))
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

    floor = engine["floor"].median
    rows = []  # operation, median, cpu, ratio, target, met

    def add(operation, figure, ratio="", target="", met=""):
        rows.append((operation, seconds(figure.median), seconds(figure.cpu), ratio, target, met))

    add("floor: %s, %s" % ("year's lines summed per invoice, batch and item", engine["floor"].note),
        engine["floor"], "1.00")
    labels = {"vat-invoicing": "VAT invoicing", "parking": "parking fees", "pre-invoicing": "VAT pre-invoicing"}
    for kind, label in labels.items():
        e, c = engine["engine:" + kind], cli[kind]
        r = e.median / floor
        add("%s, extraction + statistics, in-process (%s)" % (label, e.note), e, "%.2f × floor" % r,
            "≤ %g × floor" % DETAIL_TARGET, verdict(r <= DETAIL_TARGET))
        r = c.median / floor
        add("%s, tallyvane-report --format json" % label, c, "%.2f × floor" % r, "≤ %g × floor" % DETAIL_TARGET,
            verdict(r <= DETAIL_TARGET))
    e = engine["engine:vat-invoicing-per-line"]
    add("VAT invoicing line by line (维修基金), in-process (%s)" % e.note, e, "%.2f × floor" % (e.median / floor),
        "≤ %g × floor" % DETAIL_TARGET, verdict(e.median / floor <= DETAIL_TARGET))
    e, c = engine["engine:reconciliation"], cli["reconciliation"]
    add("reconciliation, in-process (%s)" % e.note, e, "%.2f × floor" % (e.median / floor),
        "≤ %g × floor" % RECONCILIATION_TARGET, verdict(e.median / floor <= RECONCILIATION_TARGET))
    add("reconciliation, tallyvane-report --format json", c, "%.2f × floor" % (c.median / floor),
        "≤ %g × floor" % RECONCILIATION_TARGET, verdict(c.median / floor <= RECONCILIATION_TARGET))
    checked, unindexed = engine["plans"]
    rows.append(("query plans of every report statement on this database (%d statements): derived tables "
                 "joined without an index" % checked, "", "", "", "none", verdict(unindexed == "-")))
    if unindexed != "-":
        log("unindexed derived-table joins: " + unindexed)
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
    add("VAT invoicing run + export, tallyvane-report --format xlsx", c, "%.2f × floor" % (c.median / floor))

    for kind, label in list(labels.items()) + [("reconciliation", "reconciliation"), ("export", "VAT invoicing run + export")]:
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
    lines = [
        "# Benchmark results",
        "",
        "Written by `bench/run` on %s; `nproc` = %s; load average at the end %.2f %.2f %.2f (other work "
        "shares the machine, so compare ratios within one run). Every figure is the median of %s runs in "
        "this one run of the script; \"CPU\" is the processor time of the measuring process where it is "
        "measured in-process." % (now, nproc or cores, load[0], load[1], load[2], runs),
        "",
        "Database: %s. Year %s; busiest department %s; department with a 维修基金 item %s. "
        "SQLite %s, Python %s." % (args.database_note or os.path.basename(db), year, busiest, fund,
                                   sqlite3.sqlite_version, platform.python_version()),
        "",
    ] + table + [
        "",
        "Ratios of the reports are to the floor's median in-process; the command-line rows include "
        "starting the process, loading the lists and writing the output. The export figures time the "
        "writing of the workbook only (the report's rows are in memory); all three writers use "
        "libxlsxwriter's or xlsxwriter's constant-memory mode. The suite took %.0f s." % (time.perf_counter() - started),
        "",
    ]
    text = "\n".join(lines)
    print("\n".join(table))
    temporary = args.out + ".tmp"
    with open(temporary, "w", encoding="utf-8") as f:
        f.write(text)
    os.replace(temporary, args.out)
    log("wrote " + args.out)


if __name__ == "__main__":
    main()
