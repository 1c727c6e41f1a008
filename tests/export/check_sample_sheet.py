"""Reads the sample workbook of WriteSampleSheet.cpp back with openpyxl and checks what a
user would see: values and their types, merges, fills, number formats, widths, fonts,
alignment, wrapping and borders."""
import datetime
import sys

import openpyxl

from sheetcheck import expect, failures, report


def main(path):
    wb = openpyxl.load_workbook(path)
    expect("sheet count", len(wb.worksheets), 1)
    ws = wb.worksheets[0]

    expect("merged ranges", sorted(str(r) for r in ws.merged_cells.ranges),
           sorted(["A1:G1", "A2:D2", "A3:D3", "A4:A5", "B4:B5", "C4:C5", "D4:F4", "G4:G5"]))

    # Title: bold 微软雅黑 in the default size, centred over the whole width.
    a1 = ws["A1"]
    expect("A1 value", a1.value, "【0101 一号管理处】停车费明细表")
    expect("A1 font", (a1.font.name, a1.font.sz, a1.font.b), ("微软雅黑", 11.0, True))
    expect("A1 alignment", a1.alignment.horizontal, "center")
    expect("A2 value", ws["A2"].value, " 统计部门 : 0101 一号管理处")
    expect("A2 alignment", ws["A2"].alignment.horizontal, "left")
    expect("A3 font", (ws["A3"].font.name, ws["A3"].font.sz, ws["A3"].font.b), ("微软雅黑", 9.0, False))

    # Headings: light blue (RGB 192, 192, 255), centred, bordered.
    for ref in ("A4", "D4", "G4", "D5", "E5", "F5"):
        expect(f"{ref} fill", (ws[ref].fill.fill_type, ws[ref].fill.fgColor.rgb), ("solid", "FFC0C0FF"))
        expect(f"{ref} alignment", ws[ref].alignment.horizontal, "center")
    expect("D4 value", ws["D4"].value, "停车费")
    expect("E5 value", ws["E5"].value, "物业30%")

    # Invoice rows.
    expect("A6", (ws["A6"].value, ws["A6"].data_type), (1, "n"))
    expect("B6 value", ws["B6"].value, datetime.datetime(2024, 1, 5))
    expect("B6 format", ws["B6"].number_format, "yyyy-mm-dd")
    for ref, text in (("C6", "00012345"), ("C7", "00012346"), ("C8", "0")):
        expect(f"{ref} stays text", (ws[ref].value, ws[ref].data_type), (text, "s"))
    expect("D6", (ws["D6"].value, ws["D6"].number_format, ws["D6"].alignment.horizontal),
           (12.5, "#0.00", "right"))
    expect("G8", (ws["G8"].value, ws["G8"].number_format), (57.75, "#0.00"))
    expect("C6 alignment", ws["C6"].alignment.horizontal, "center")
    expect("D6 not filled", ws["D6"].fill.fill_type, None)

    # Wrapping covers the whole wrapped row, cells without their own style included.
    for ref in ("A7", "C7", "G7"):
        expect(f"{ref} wraps", ws[ref].alignment.wrap_text, True)
    expect("C6 does not wrap", bool(ws["C6"].alignment.wrap_text), False)

    # Grand total: date cell passes the label through, whole row light blue.
    expect("B9", (ws["B9"].value, ws["B9"].data_type, ws["B9"].number_format), ("合  计", "s", "yyyy-mm-dd"))
    for col in "ABCDEFG":
        expect(f"{col}9 fill", ws[f"{col}9"].fill.fgColor.rgb, "FFC0C0FF")

    # Subtotal: typed values, orange (RGB 255, 224, 192) on the amount cells only.
    expect("A10", (ws["A10"].value, ws["A10"].data_type), ("小计", "s"))
    expect("B10", (ws["B10"].value, ws["B10"].data_type), (202401, "n"))
    expect("C10", (ws["C10"].value, ws["C10"].data_type), ("0.09", "s"))
    expect("D10", (ws["D10"].value, ws["D10"].fill.fgColor.rgb), (1.5, "FFFFE0C0"))
    expect("C10 not filled", ws["C10"].fill.fill_type, None)

    # Thin borders on every cell of rows 4 to 10, none on the signature row.
    for row in ws.iter_rows(min_row=4, max_row=10):
        for cell in row:
            if isinstance(cell, openpyxl.cell.cell.MergedCell):
                continue
            sides = (cell.border.left.style, cell.border.right.style,
                     cell.border.top.style, cell.border.bottom.style)
            expect(f"{cell.coordinate} border", sides, ("thin",) * 4)
    expect("A11 border", ws["A11"].border.left.style, None)

    # Signature line, size-9 font like the table.
    expect("row 11", [ws.cell(11, c).value for c in (1, 2, 3)], ["收款人:", "经理:", "缴款人:"])
    expect("B11 alignment", ws["B11"].alignment.horizontal, "center")
    expect("C11 alignment", ws["C11"].alignment.horizontal, "left")
    expect("A11 font", (ws["A11"].font.name, ws["A11"].font.sz), ("微软雅黑", 9.0))

    # Widths: twips / 110 characters; the file stores them rounded up to whole pixels.
    for col, twips in zip("ABCDEFG", (800, 1200, 2500, 1400, 1400, 1400, 1400)):
        stored = ws.column_dimensions[col].width
        wanted = twips / 110
        if not wanted < stored < wanted + 1:
            failures.append(f"column {col} width {stored} for {wanted:.2f} characters")

    return report(path)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
