"""Reads what an .xls (BIFF8 in a compound file) holds for the first sheet, straight from
its records: fonts of the cells, row heights, page setup, print titles and frozen panes.
Only what the checks need; no converter in between, so nothing is re-derived on the way."""
import struct

FREE, END = 0xFFFFFFFF, 0xFFFFFFFE


def _workbook_stream(data):
    sector = 1 << struct.unpack_from("<H", data, 30)[0]
    mini_sector = 1 << struct.unpack_from("<H", data, 32)[0]
    dir_start, mini_cutoff, minifat_start, minifat_count, difat_start, difat_count = struct.unpack_from(
        "<I4xIIIII", data, 48)
    fat_sectors = list(struct.unpack_from("<109I", data, 76))
    next_difat = difat_start
    for _ in range(difat_count):
        base = 512 + next_difat * sector
        entries = struct.unpack_from(f"<{sector // 4}I", data, base)
        fat_sectors += entries[:-1]
        next_difat = entries[-1]
    fat = []
    for s in fat_sectors:
        if s in (FREE, END) or s >= 0xFFFFFFFA:
            continue
        fat += struct.unpack_from(f"<{sector // 4}I", data, 512 + s * sector)

    def chain(start):
        out = bytearray()
        s = start
        while s < len(fat) and s not in (END, FREE):
            out += data[512 + s * sector: 512 + (s + 1) * sector]
            s = fat[s]
        return bytes(out)

    directory = chain(dir_start)
    entries = []
    for off in range(0, len(directory), 128):
        name_len = struct.unpack_from("<H", directory, off + 64)[0]
        name = directory[off:off + max(name_len - 2, 0)].decode("utf-16-le")
        start, size = struct.unpack_from("<II", directory, off + 116)
        entries.append((name, start, size))
    root = entries[0]
    for name, start, size in entries:
        if name in ("Workbook", "Book"):
            if size >= mini_cutoff:
                return chain(start)[:size]
            mini_stream = chain(root[1])
            minifat = struct.unpack_from(f"<{minifat_count * sector // 4}I", chain(minifat_start))
            out = bytearray()
            s = start
            while s not in (END, FREE):
                out += mini_stream[s * mini_sector:(s + 1) * mini_sector]
                s = minifat[s]
            return bytes(out[:size])
    raise ValueError("no Workbook stream")


def _records(stream):
    pos = 0
    while pos + 4 <= len(stream):
        kind, length = struct.unpack_from("<HH", stream, pos)
        yield pos, kind, stream[pos + 4: pos + 4 + length]
        pos += 4 + length


def _unicode_string(data, offset, length_bytes):
    count = data[offset] if length_bytes == 1 else struct.unpack_from("<H", data, offset)[0]
    flags = data[offset + length_bytes]
    start = offset + length_bytes + 1
    if flags & 1:
        return data[start:start + 2 * count].decode("utf-16-le")
    return data[start:start + count].decode("latin-1")


class Sheet:
    def __init__(self):
        self.fonts = []           # names by font index (index 4 does not exist in BIFF)
        self.xf_fonts = []        # font index by XF
        self.cell_xfs = {}        # (row, col) from 1 -> XF index, cells holding a value
        self.text_cells = set()   # (row, col) of the string cells
        self.row_heights = {}     # row from 1 -> points, rows with a height of their own
        self.landscape = None
        self.paper = None
        self.fit_width = self.fit_height = None
        self.fit_to_page = False
        self.centred = False
        self.footer = None
        self.frozen = None        # (rows, columns) above and left of the split
        self.built_in_names = set()

    def font_of(self, row, col):
        index = self.xf_fonts[self.cell_xfs[(row, col)]]
        return self.fonts[index if index < 4 else index - 1]


def read(path):
    with open(path, "rb") as f:
        stream = _workbook_stream(f.read())
    sheet = Sheet()
    sheets_seen = 0
    window_frozen = False
    for _, kind, body in _records(stream):
        if kind == 0x0809:  # BOF: globals, then the first sheet
            sheets_seen += 1
            if sheets_seen > 2:
                break
        elif kind == 0x0031:  # FONT
            sheet.fonts.append(_unicode_string(body, 14, 1))
        elif kind == 0x00E0:  # XF
            sheet.xf_fonts.append(struct.unpack_from("<H", body, 0)[0])
        elif kind == 0x0018:  # NAME
            if struct.unpack_from("<H", body, 0)[0] & 0x20:
                sheet.built_in_names.add(body[15] if body[14] == 0 else body[16])
        elif kind in (0x00FD, 0x0203, 0x027E, 0x0204):  # LABELSST, NUMBER, RK, LABEL
            row, col, xf = struct.unpack_from("<HHH", body, 0)
            sheet.cell_xfs[(row + 1, col + 1)] = xf
            if kind in (0x00FD, 0x0204):
                sheet.text_cells.add((row + 1, col + 1))
        elif kind == 0x00BD:  # MULRK
            row, first = struct.unpack_from("<HH", body, 0)
            for i in range((len(body) - 6) // 6):
                sheet.cell_xfs[(row + 1, first + i + 1)] = struct.unpack_from("<H", body, 4 + 6 * i)[0]
        elif kind == 0x0208:  # ROW
            row, _, _, height = struct.unpack_from("<HHHH", body, 0)
            options = struct.unpack_from("<I", body, 12)[0]
            if options & 0x40:  # fUnsynced: a height of its own
                sheet.row_heights[row + 1] = (height & 0x7FFF) / 20
        elif kind == 0x0081:  # WSBOOL
            sheet.fit_to_page = bool(struct.unpack_from("<H", body, 0)[0] & 0x0100)
        elif kind == 0x0083:  # HCENTER
            sheet.centred = struct.unpack_from("<H", body, 0)[0] == 1
        elif kind == 0x0015 and body:  # FOOTER
            sheet.footer = _unicode_string(body, 0, 2)
        elif kind == 0x00A1:  # SETUP
            paper, _, _, width, height, options = struct.unpack_from("<HHHHHH", body, 0)
            sheet.paper, sheet.fit_width, sheet.fit_height = paper, width, height
            sheet.landscape = not (options & 0x02) if not (options & 0x04) else None
        elif kind == 0x023E:  # WINDOW2
            window_frozen = bool(struct.unpack_from("<H", body, 0)[0] & 0x0008)
        elif kind == 0x0041:  # PANE
            columns, rows = struct.unpack_from("<HH", body, 0)
            if window_frozen:
                sheet.frozen = (rows, columns)
    return sheet
