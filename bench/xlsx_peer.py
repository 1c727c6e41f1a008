#!/usr/bin/env python3
"""The peer for the spreadsheet export: python3-xlsxwriter writing the cells of a plan
file made by export_bench (same cells, same formats, constant-memory mode like ours).

    python3 xlsx_peer.py PLAN OUT.xlsx [--runs N]

Prints one tab-separated line like the C++ benchmarks: key, median wall seconds,
fastest wall seconds, median processor seconds, runs, note. Reading the plan is not timed.
"""
import argparse
import datetime
import statistics
import sys
import time

import xlsxwriter

ALIGN = {1: "left", 2: "center", 3: "right"}


def unescape(text):
    if "\\" not in text:
        return text
    out, i = [], 0
    while i < len(text):
        ch = text[i]
        if ch == "\\" and i + 1 < len(text):
            out.append({"t": "\t", "n": "\n", "r": "\r", "\\": "\\"}.get(text[i + 1], text[i + 1]))
            i += 2
        else:
            out.append(ch)
            i += 1
    return "".join(out)


def read_plan(path):
    plan = {"formats": [], "widths": [], "merges": [], "rows": {}, "cells": []}
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            f = line.rstrip("\n").split("\t")
            kind = f[0]
            if kind == "F":
                props = {}
                if f[2]:
                    props["font_name"] = unescape(f[2])
                if float(f[3]) > 0:
                    props["font_size"] = float(f[3])
                if f[4] == "1":
                    props["bold"] = True
                if int(f[5]) in ALIGN:
                    props["align"] = ALIGN[int(f[5])]
                if f[6] == "1":
                    props["text_wrap"] = True
                if int(f[7]) >= 0:
                    props["pattern"] = 1
                    props["bg_color"] = "#%06X" % int(f[7])
                if f[8] == "1":
                    props["border"] = 1
                if f[9]:
                    props["num_format"] = unescape(f[9])
                plan["formats"].append(props)
            elif kind == "W":
                plan["widths"].append((int(f[1]), float(f[2])))
            elif kind == "M":
                plan["merges"].append(tuple(int(x) for x in f[1:5]))
            elif kind == "R":
                plan["rows"][int(f[1])] = int(f[2])
            else:
                row, col, fmt = int(f[1]), int(f[2]), int(f[3])
                if kind == "S":
                    value = unescape(f[4])
                elif kind == "N":
                    value = float(f[4])
                elif kind == "D":
                    value = datetime.date.fromisoformat(f[4])
                else:
                    value = None
                plan["cells"].append((kind, row, col, fmt, value))
    return plan


def write(plan, out):
    workbook = xlsxwriter.Workbook(out, {"constant_memory": True})
    sheet = workbook.add_worksheet()
    formats = [workbook.add_format(props) for props in plan["formats"]]
    for col, width in plan["widths"]:
        sheet.set_column(col, col, width)
    for r1, c1, r2, c2 in plan["merges"]:
        sheet.merge_range(r1, c1, r2, c2, "", None)
    row_formats = plan["rows"]
    current = -1
    for kind, row, col, fmt, value in plan["cells"]:
        if row != current:
            if current in row_formats:
                sheet.set_row(current, 15, formats[row_formats[current]])
            current = row
        cell_format = formats[fmt] if fmt >= 0 else None
        if kind == "S":
            sheet.write_string(row, col, value, cell_format)
        elif kind == "N":
            sheet.write_number(row, col, value, cell_format)
        elif kind == "D":
            sheet.write_datetime(row, col, value, cell_format)
        else:
            sheet.write_blank(row, col, None, cell_format)
    if current in row_formats:
        sheet.set_row(current, 15, formats[row_formats[current]])
    workbook.close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("plan")
    parser.add_argument("out")
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    plan = read_plan(args.plan)
    wall, cpu = [], []
    for _ in range(args.runs):
        start, start_cpu = time.perf_counter(), time.process_time()
        write(plan, args.out)
        wall.append(time.perf_counter() - start)
        cpu.append(time.process_time() - start_cpu)
    print("export:python3-xlsxwriter\t%.6f\t%.6f\t%.6f\t%d\t%d cells, xlsxwriter %s" % (
        statistics.median(wall), min(wall), statistics.median(cpu), len(wall), len(plan["cells"]),
        xlsxwriter.__version__))


if __name__ == "__main__":
    sys.exit(main())
