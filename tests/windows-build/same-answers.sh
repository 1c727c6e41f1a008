#!/usr/bin/env bash
# tallyvane-report.exe under Wine answers as the Linux build does, on one demo database:
#   - JSON and CSV of the four reports byte-identical, on standard output and through --output;
#   - the xlsx of every report with the same cells, written into a folder whose name has
#     Chinese characters and a blank;
#   - through an odbc: setting with SQLite's ODBC driver, the same JSON as with --db.
#   same-answers.sh WINDOWS_BUILD LINUX_BUILD SQLITE_ODBC_DRIVER HOST_TSQL_EXTENSION
set -euo pipefail
windows_build=$1 linux_build=$2 odbc_driver=$3 tsql_extension=$4
windows=("$windows_build/wine-run.sh" "$windows_build/cli/tallyvane-report.exe")
linux=("$linux_build/cli/tallyvane-report")
[ -x "${linux[0]}" ] || { echo "no ${linux[0]}: build for Linux first (scripts/build.sh)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
passes=0
check() {  # check NAME COMMAND...: counts and names the outcome
  local name=$1
  shift
  if "$@"; then passes=$((passes + 1)); else echo "FAILED: $name"; failures=$((failures + 1)); fi
}

db=$work/demo.sqlite
"$linux_build/demo/tallyvane-demo-db" "$db" --invoices 600 --years 1 --first-year 2026 >/dev/null
out="$work/导出 文件"
mkdir -p "$out/linux" "$out/windows"

selection() {
  if [ "$1" = reconciliation ]; then echo "--department 01 --year 2026 --start-month 01 --end-month 06"
  else echo "--department 01 --from 2026-01-01 --to 2026-06-30"; fi
}

for kind in parking vat-invoicing pre-invoicing reconciliation; do
  read -ra chosen <<<"$(selection "$kind")"
  for format in json csv; do
    "${linux[@]}" --db "$db" "$kind" "${chosen[@]}" --format "$format" >"$work/$kind.linux.$format"
    "${windows[@]}" --db "$db" "$kind" "${chosen[@]}" --format "$format" >"$work/$kind.windows.$format"
    check "$kind $format on standard output" cmp "$work/$kind.linux.$format" "$work/$kind.windows.$format"
    "${windows[@]}" --db "$db" "$kind" "${chosen[@]}" --format "$format" --output "$out/windows/$kind 报表.$format"
    check "$kind $format through --output" cmp "$work/$kind.linux.$format" "$out/windows/$kind 报表.$format"
  done
  "${linux[@]}" --db "$db" "$kind" "${chosen[@]}" --format xlsx --output "$out/linux/$kind 报表.xlsx"
  "${windows[@]}" --db "$db" "$kind" "${chosen[@]}" --format xlsx --output "$out/windows/$kind 报表.xlsx"
  check "$kind xlsx cells" /usr/bin/python3 - "$out/linux/$kind 报表.xlsx" "$out/windows/$kind 报表.xlsx" <<'PY'
import sys, openpyxl
def cells(path):
    book = openpyxl.load_workbook(path)
    return [(sheet.title, [[c.value for c in row] for row in sheet.iter_rows()]) for sheet in book.worksheets]
linux, windows = (cells(p) for p in sys.argv[1:3])
if linux != windows:
    print("cells differ:", sys.argv[1], sys.argv[2])
    sys.exit(1)
PY
done
left=$(find "$out/windows" -name '.*' | wc -l)
check "no temporary file left in the export folder" test "$left" -eq 0

# The same statements through Wine's ODBC, the host's unixODBC and SQLite's driver.
printf '[DBConfig]\nSvr="odbc:Driver=%s;Database=%s;LoadExt=%s"\n' "$odbc_driver" "$db" "$tsql_extension" >"$work/odbc.ini"
read -ra chosen <<<"$(selection vat-invoicing)"
"${windows[@]}" --settings "$work/odbc.ini" vat-invoicing "${chosen[@]}" --format json >"$work/odbc.json"
check "vat-invoicing through ODBC as through --db" cmp "$work/vat-invoicing.linux.json" "$work/odbc.json"

echo "same-answers: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
