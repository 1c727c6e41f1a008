"""Reads the four reports' sample exports (WriteReportSheets.cpp) back with openpyxl and
checks what the printed report shows: cell values and their types, merges, fills,
number formats, alignment, wrapping, widths, fonts, borders and the signature line."""
import datetime
import math
import os
import sys
import unicodedata

import openpyxl
from openpyxl.cell.cell import MergedCell
from openpyxl.utils import get_column_letter, range_boundaries

import biffread
from sheetcheck import expect, failures, report

BLUE = "FFC0C0FF"    # 16761024: RGB(192, 192, 255)
ORANGE = "FFFFE0C0"  # 12640511: RGB(255, 224, 192)
TITLE = "【翠湖管理处】"
DEPARTMENT = " 统计部门 : 0101 翠湖管理处"
PERIOD = " 开票日期 : 2024-03-01 至 2024-03-31"


def cells(ws, ref):
    min_col, min_row, max_col, max_row = range_boundaries(ref)
    for row in ws.iter_rows(min_row=min_row, max_row=max_row, min_col=min_col, max_col=max_col):
        for cell in row:
            if not isinstance(cell, MergedCell):
                yield cell


def fill_of(cell):
    return cell.fill.fgColor.rgb if cell.fill.fill_type == "solid" else None


def check_values(name, ws, wanted):
    """wanted: {ref: value}; text values must be stored as text, numbers as numbers."""
    for ref, value in wanted.items():
        cell = ws[ref]
        expect(f"{name} {ref}", cell.value, value)
        if isinstance(value, str):
            expect(f"{name} {ref} is text", cell.data_type, "s")
        elif isinstance(value, (int, float)) and not isinstance(value, bool):
            expect(f"{name} {ref} is a number", cell.data_type, "n")


def check_fills(name, ws, filled, unfilled, colour=BLUE):
    for ref in filled:
        for cell in cells(ws, ref):
            expect(f"{name} {cell.coordinate} fill", fill_of(cell), colour)
    for ref in unfilled:
        for cell in cells(ws, ref):
            expect(f"{name} {cell.coordinate} not filled", fill_of(cell), None)


def check_amount_block(name, ws, ref):
    for cell in cells(ws, ref):
        expect(f"{name} {cell.coordinate} format", cell.number_format, "#0.00")
        expect(f"{name} {cell.coordinate} alignment", cell.alignment.horizontal, "right")


def check_borders(name, ws, table_ref, signature_row):
    for cell in cells(ws, table_ref):
        sides = (cell.border.left.style, cell.border.right.style, cell.border.top.style, cell.border.bottom.style)
        expect(f"{name} {cell.coordinate} border", sides, ("thin",) * 4)
    for cell in ws[signature_row]:
        expect(f"{name} {cell.coordinate} has no border", cell.border.left.style, None)


def check_widths(name, ws, twips):
    for c, width in enumerate(twips, start=1):
        stored = ws.column_dimensions[get_column_letter(c)].width
        # The file stores whole pixels, so the width comes out a little wider.
        if not width / 110 < stored < width / 110 + 1:
            failures.append(f"{name} column {c} width {stored} for {width / 110:.2f} characters")


def check_fonts(name, ws, columns, last_small_row):
    title = ws["A1"].font
    expect(f"{name} title font", (title.name, title.sz, title.b), ("微软雅黑", 11.0, True))
    expect(f"{name} title alignment", ws["A1"].alignment.horizontal, "center")
    for row in range(2, last_small_row + 1):
        for cell in cells(ws, f"A{row}:{get_column_letter(columns)}{row}"):
            expect(f"{name} {cell.coordinate} font", (cell.font.name, cell.font.sz), ("微软雅黑", 9.0))


def check_top(name, ws, title, columns, third_line=PERIOD, department=DEPARTMENT):
    last = get_column_letter(columns)
    check_values(name, ws, {"A1": title, "A2": department, "A3": third_line})
    expect(f"{name} condition alignment", (ws["A2"].alignment.horizontal, ws["A3"].alignment.horizontal),
           ("left", "left"))
    check_fills(name, ws, [f"A4:{last}5"], [])
    for cell in cells(ws, f"A4:{last}5"):
        expect(f"{name} {cell.coordinate} heading alignment", cell.alignment.horizontal, "center")


def check_print_setup(name, ws, frozen_columns, paper="9"):
    """Landscape, one page wide, headings repeated, panes frozen under them, narrow margins."""
    setup = ws.page_setup
    expect(f"{name} orientation", setup.orientation, "landscape")
    expect(f"{name} paper", str(setup.paperSize), paper)
    expect(f"{name} fit to page", ws.sheet_properties.pageSetUpPr.fitToPage, True)
    # An absent width is the file format's default of 1; a height of 0 leaves it free.
    expect(f"{name} pages wide and high", (setup.fitToWidth or 1, setup.fitToHeight), (1, 0))
    expect(f"{name} print titles", ws.print_title_rows, "$4:$5")
    expect(f"{name} frozen at", ws.freeze_panes, f"{get_column_letter(frozen_columns + 1)}6")
    expect(f"{name} centred", ws.print_options.horizontalCentered, True)
    expect(f"{name} side margins", (ws.page_margins.left, ws.page_margins.right), (0.25, 0.25))
    expect(f"{name} footer", ws.oddFooter.center.text, "第 &P 页 共 &N 页")


def text_units(text, size):
    """Width in default-font characters; wide East Asian characters count two."""
    return sum(2 if unicodedata.east_asian_width(ch) in "WF" else 1 for ch in text) * size / 11


def check_row_heights(name, ws):
    """No text needs more height than its row has; returns the cells that wrap to 2+ lines."""
    spanned = set()
    for r in ws.merged_cells.ranges:
        for row in range(r.min_row, r.max_row + 1):
            for col in range(r.min_col, r.max_col + 1):
                spanned.add((row, col))
    multi_line = []
    for row in ws.iter_rows():
        for cell in row:
            if isinstance(cell, MergedCell) or (cell.row, cell.column) in spanned:
                continue
            if not isinstance(cell.value, str) or not cell.value:
                continue
            size = cell.font.sz or 11
            lines = 1
            if cell.alignment.wrap_text:
                width = ws.column_dimensions[get_column_letter(cell.column)].width or 8.43
                lines = math.ceil(text_units(cell.value, size) / width)
            height = ws.row_dimensions[cell.row].height or 15
            if height < lines * size * 1.2:
                failures.append(f"{name} {cell.coordinate}: {lines} lines of {size} pt in a row of {height} pt")
            if lines > 1:
                multi_line.append(cell.coordinate)
    return multi_line


def merges(ws):
    return sorted(str(r) for r in ws.merged_cells.ranges)


def parking_two_items(ws, name):
    check_top(name, ws, TITLE + "停车费明细表", 10)
    expect(f"{name} merges", merges(ws), sorted(["A1:J1", "A2:D2", "A3:D3", "A4:A5", "B4:B5", "C4:C5",
                                                 "D4:F4", "G4:I4", "J4:J5"]))
    check_values(name, ws, {
        "D4": "停车费", "G4": "月租停车", "J4": "合计", "D5": "开发商70%", "E5": "物业30%", "F5": "税额9%",
        # A paper invoice under 发票号, its leading zeros kept; a merged electronic row under 电子发票号.
        "A6": 1, "B6": "00012345", "C6": None, "D6": 70, "E6": 30, "F6": 9, "G6": 14, "I6": 1.8, "J6": 130.8,
        "B7": None, "C7": "0001 - 0002", "D7": 105, "J7": 163.5,
        "A8": 3, "B8": "合计", "J8": 294.3, "D8": None,
        "B9": "其中", "I9": "现金", "J9": 130.8, "I10": "微信支付", "J10": 163.5,
        # The signature texts right under the table in A, B, C and E.
        "A11": "收款人:", "B11": "经理:", "C11": "缴款人:", "E11": "总仓管理员:"})
    expect(f"{name} rows", ws.max_row, 11)
    expect(f"{name} invoice number alignment", (ws["B6"].alignment.horizontal, ws["C7"].alignment.horizontal),
           ("center", "center"))
    expect(f"{name} totals alignment", [ws[r].alignment.horizontal for r in ("B8", "I9", "J9")],
           ["center", "right", "right"])
    expect(f"{name} signature alignment", [ws[r].alignment.horizontal for r in ("B11", "C11", "E11")],
           ["center", "left", "left"])
    check_fills(name, ws, ["A8:J10"], ["A6:J7", "A11:J11"])
    check_amount_block(name, ws, "D6:J10")
    check_borders(name, ws, "A4:J10", 11)
    check_widths(name, ws, [800, 2500, 2500] + [1400] * 7)
    check_fonts(name, ws, 10, 11)


def vat_one_other_item(ws, name):
    check_top(name, ws, TITLE + "增值税开票明细表", 11)
    expect(f"{name} merges", merges(ws), sorted(["A1:K1", "A2:D2", "A3:D3", "A4:A5", "B4:B5", "C4:E4", "F4:F5",
                                                 "G4:H4", "I4:I5", "J4:J5", "K4:K5"]))
    check_values(name, ws, {
        "G4": "物业管理费", "G5": "金额", "H5": "税额6%", "I4": "合计", "J4": "收款方式", "K4": "付款人",
        "A6": 1, "B6": datetime.datetime(2024, 3, 5), "D6": "00001234", "G6": 100, "H6": 6, "I6": 106,
        "J6": "现金", "K6": "张三 3号楼",
        "C7": "0456", "G7": 0, "I7": 0, "J7": "作废", "D8": "00001236",
        "B9": "合  计", "G9": 150, "H9": 9, "I9": 159,
        "B10": "其中", "I10": 106, "J10": "现金", "B11": None, "I11": 53, "J11": "微信支付",
        "B12": "收款人:", "G12": "经理:", "M12": "缴款人:"})
    expect(f"{name} date format", [ws[r].number_format for r in ("B6", "B9")], ["yyyy-mm-dd"] * 2)
    expect(f"{name} centred", [ws[r].alignment.horizontal for r in ("A6", "B6", "C7", "D6", "B10")],
           ["center"] * 5)
    # Invoice and grand-total rows wrap their long texts; payment-method rows do not.
    expect(f"{name} wrapping", [bool(ws[f"K{r}"].alignment.wrap_text) for r in range(6, 12)],
           [True, True, True, True, False, False])
    # The grand total and the payment-method rows are filled; invoices, voided ones included, are not.
    check_fills(name, ws, ["A9:K11"], ["A6:K8", "A12:M12"])
    check_amount_block(name, ws, "G6:I11")
    expect(f"{name} method column outside the amounts", ws["J10"].number_format, "General")
    # With C = 11 "缴款人:" stands right of the bordered table, in the workbook's own font.
    check_borders(name, ws, "A4:K11", 12)
    expect(f"{name} right of the table has no border", ws["L6"].border.left.style, None)
    check_widths(name, ws, [500, 1200, 1200, 1200, 1200, 2000, 1200, 1200, 1400, 900, 3800])
    check_fonts(name, ws, 11, 11)
    expect(f"{name} signature font", ws["B12"].font.name == "微软雅黑", False)


def vat_parking_and_other_item(ws, name):
    expect(f"{name} merges", merges(ws), sorted(["A1:N1", "A2:D2", "A3:D3", "A4:A5", "B4:B5", "C4:E4", "F4:F5",
                                                 "G4:I4", "J4:K4", "L4:L5", "M4:M5", "N4:N5"]))
    # The headings are the grid's, so the split reads as the grid shows it.
    check_values(name, ws, {"G4": "停车费", "G5": "开发商70%", "H5": "物业30%", "I5": "税额9%",
                            "E6": "24442000000012345678",
                            "J4": "物业管理费", "J5": "金额", "K5": "税额6%",
                            "D6": "00000001", "G6": 70, "K6": 6, "L6": 215, "M6": "现金",
                            "B7": "合  计", "L7": 215, "B8": "其中", "L8": 215,
                            "B9": "收款人:", "G9": "经理:", "M9": "缴款人:"})
    check_amount_block(name, ws, "G6:L8")
    check_borders(name, ws, "A4:N8", 9)


def pre_one_invoice(ws, name):
    # Title, department, period, two heading rows, the invoice, the totals, the signatures.
    expect(f"{name} rows", ws.max_row, 8)
    check_top(name, ws, TITLE + "增值税预开票明细表", 10)
    expect(f"{name} merges", merges(ws), sorted(["A1:J1", "A2:D2", "A3:D3", "A4:A5", "B4:B5", "C4:D4", "E4:G4",
                                                 "H4:H5", "I4:I5", "J4:J5"]))
    check_values(name, ws, {
        "A6": 1, "B6": datetime.datetime(2024, 3, 10), "C6": "00000789", "D6": None, "E6": 70, "F6": 30, "G6": 9,
        "H6": 109, "I6": "预开", "J6": "李四 3号楼",
        "A7": 2, "B7": "合  计", "E7": 70, "H7": 109, "I7": None,
        "B8": "收款人:", "G8": "经理:", "M8": "缴款人:"})
    expect(f"{name} date format", ws["B6"].number_format, "yyyy-mm-dd")
    check_fills(name, ws, ["A7:J7"], ["A6:J6", "A8:M8"])
    check_amount_block(name, ws, "E6:H7")
    check_borders(name, ws, "A4:J7", 8)
    check_widths(name, ws, [500, 1200, 1200, 1200, 1200, 1200, 1200, 1400, 900, 3800])
    check_fonts(name, ws, 10, 7)


def pre_two_other_items(ws, name):
    expect(f"{name} merges", merges(ws), sorted(["A1:K1", "A2:D2", "A3:D3", "A4:A5", "B4:B5", "C4:D4", "E4:F4",
                                                 "G4:H4", "I4:I5", "J4:J5", "K4:K5"]))
    check_values(name, ws, {"D6": "0000123", "C7": "0042", "E6": 100, "H6": 1.2, "I6": 127.2, "I7": 31.8,
                            "I8": 159, "J6": "预开", "B9": "收款人:", "G9": "经理:", "M9": "缴款人:"})
    # Amounts in 5 to 8, 合计 in 9; 收款方式 in 10 is no amount.
    check_amount_block(name, ws, "E6:I8")
    expect(f"{name} 收款方式 format", ws["J6"].number_format, "General")
    # Every row wraps, so the long payer text stays within its row.
    expect(f"{name} wrapping", [ws[f"K{r}"].alignment.wrap_text for r in (6, 7, 8)], [True] * 3)
    check_fills(name, ws, ["A8:K8"], ["A6:K7"])
    check_borders(name, ws, "A4:K8", 9)
    expect(f"{name} 缴款人 outside the table", ws["M9"].border.left.style, None)


def reconciliation_2_items(ws, name):
    check_top(name, ws, "2024年度【翠湖管理处】票据核对表", 15, third_line=" 核对年月 : 2024 年 01 月 至 02 月")
    # 财务交账 spans the two items and their 小计: n + 1 columns.
    expect(f"{name} merges", merges(ws), sorted(["A1:O1", "A2:D2", "A3:D3", "A4:A5", "B4:B5", "C4:C5", "D4:E4",
                                                 "F4:G4", "I4:K4", "O4:O5"]))
    check_values(name, ws, {
        "H4": "收据", "I4": "财务交账", "L4": "当月收预开票", "M4": "当月未收预开", "N4": "核对结果",
        "I5": "项目1", "J5": "项目2", "K5": "小计", "N5": "差额",
        # Typed values: row numbers, month keys, rates and amounts are numbers.
        "A6": 1, "B6": 202401, "C6": 0.06, "D6": 100, "E6": None, "F6": 53, "I6": 153, "J6": None, "K6": 153,
        "C7": 0.09, "D7": 0, "F7": 10.9,
        "A8": 3, "B8": 202401, "C8": "小计", "D8": 100, "F8": 63.9, "K8": 163.9, "L8": None, "N8": 0,
        "B11": "合计", "C11": None, "D11": 121.2, "K11": 185.1, "N11": None, "O11": None,
        "B12": " 核对结果: 相符 ( 专用发票 + 普通发票 + 收据 = 财务交账 - 当月收预开票 + 当月未收预开票 )"})
    expect(f"{name} rows", ws.max_row, 12)
    expect(f"{name} first columns centred", [ws[r].alignment.horizontal for r in ("A6", "B6", "C8", "B11")],
           ["center"] * 4)
    # Subtotal rows take the table's orange, the grand total its blue, on non-empty cells only.
    check_fills(name, ws, ["D8:K8", "N8", "D10:K10", "N10"], [], colour=ORANGE)
    check_fills(name, ws, ["D11:M11"], ["A6:O7", "A9:O9", "A8:C8", "L8:M8", "O8", "A11:C11", "N11:O11", "A12:O12"])
    check_amount_block(name, ws, "D6:N11")
    check_borders(name, ws, "A4:O11", 12)
    check_widths(name, ws, [500, 900, 600, 1300, 1200, 1300, 1200, 1200, 1200, 1200, 1200, 1200, 1200, 1200, 1600])
    check_fonts(name, ws, 15, 12)


def reconciliation_1_items(ws, name):
    expect(f"{name} hand-over merge", [m for m in merges(ws) if m.startswith("I4")], ["I4:J4"])
    check_values(name, ws, {"I5": "项目1", "J5": "小计", "N4": "备注"})


# The report grids' frozen columns.
FROZEN_COLUMNS = {
    "parking_two_items": 3, "vat_one_other_item": 6, "vat_parking_and_other_item": 6,
    "pre_one_invoice": 4, "pre_two_other_items": 4, "reconciliation_2_items": 3, "reconciliation_1_items": 3,
}
# The texts that wrap: the long payer and the 20-digit electronic invoice number.
MULTI_LINE = {"pre_two_other_items": ["K7"], "vat_parking_and_other_item": ["E6"]}

CASES = {
    "parking_two_items": parking_two_items,
    "vat_one_other_item": vat_one_other_item,
    "vat_parking_and_other_item": vat_parking_and_other_item,
    "pre_one_invoice": pre_one_invoice,
    "pre_two_other_items": pre_two_other_items,
    "reconciliation_2_items": reconciliation_2_items,
    "reconciliation_1_items": reconciliation_1_items,
}


def check_xls(path):
    """The .xls of vat_parking_and_other_item, read from its records."""
    name = "vat_parking_and_other_item.xls"
    sheet = biffread.read(path)
    # Every cell keeps 微软雅黑, the Chinese texts as much as the numbers.
    texts = 0
    for (row, col) in sorted(sheet.cell_xfs):
        if row <= 8:  # the signature line is in the workbook's own font
            expect(f"{name} ({row}, {col}) font", sheet.font_of(row, col), "微软雅黑")
            texts += (row, col) in sheet.text_cells
    expect(f"{name} has text cells", texts > 20, True)
    expect(f"{name} landscape", sheet.landscape, True)
    expect(f"{name} paper", sheet.paper, 9)
    expect(f"{name} fit", (sheet.fit_to_page, sheet.fit_width, sheet.fit_height), (True, 1, 0))
    expect(f"{name} centred", sheet.centred, True)
    expect(f"{name} footer", sheet.footer, "&C第 &P 页 共 &N 页")
    expect(f"{name} print titles", 7 in sheet.built_in_names, True)
    # The wrapped 20-digit invoice number: two lines of 9 pt.
    expect(f"{name} row 6 height", sheet.row_heights.get(6, 15) >= 2 * 9 * 1.2, True)


def main(folder):
    for name, check in CASES.items():
        path = os.path.join(folder, name + ".xlsx")
        if not os.path.exists(path):
            failures.append(f"{name}: {path} was not written")
            continue
        wb = openpyxl.load_workbook(path)
        expect(f"{name} sheet count", len(wb.worksheets), 1)
        ws = wb.worksheets[0]
        check(ws, name)
        check_print_setup(name, ws, FROZEN_COLUMNS[name])
        expect(f"{name} cells of several lines", check_row_heights(name, ws), MULTI_LINE.get(name, []))
    xls = os.path.join(folder, "vat_parking_and_other_item.xls")
    if os.path.exists(xls):
        check_xls(xls)
    else:
        print("no .xls to check: LibreOffice is not installed")
    return report(f"{len(CASES)} sheets")


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
