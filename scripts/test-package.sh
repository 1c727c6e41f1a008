#!/usr/bin/env bash
# The Debian package, built from build/ (scripts/build.sh first):
#   1. cpack -G DEB writes tallyvane_<version>_amd64.deb, version as `tallyvane-report --version`;
#   2. its files are those of packaging/package-files.txt, its Depends name the runtime
#      libraries the programs link, its .desktop file is valid;
#   3. as root: installed with dpkg -i (+ apt-get -f install), the installed programs run on a
#      demo database (the report tool through SQLite's ODBC driver as well, which needs the
#      installed T-SQL extension) and `tallyvane --demo` starts offscreen; removed afterwards,
#      also when a step fails. Not root: step 3 is skipped, with the reason.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
work=$(mktemp -d)
installed=0
cleanup() {
  if [ "$installed" = 1 ]; then dpkg -r tallyvane >/dev/null || echo "test-package: could not remove tallyvane" >&2; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "test-package: FAILED: $*" >&2; exit 1; }

version=$("$build/cli/tallyvane-report" --version | awk '{print $2}')
deb=$build/tallyvane_${version}_amd64.deb
rm -f "$deb"
(cd "$build" && cpack -G DEB >"$work/cpack.log") || { cat "$work/cpack.log"; fail "cpack"; }
[ -f "$deb" ] || fail "no $deb (cpack wrote: $(ls "$build"/*.deb 2>/dev/null))"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version $(dpkg-deb -f "$deb" Version), program $version"
echo "test-package: built $(basename "$deb")"

# Contents: every expected file, nothing else but folders.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort >"$work/files"
sort "$root/packaging/package-files.txt" >"$work/expected"
diff -u "$work/expected" "$work/files" || fail "package contents differ from packaging/package-files.txt"

# Depends: the package of every library a program links directly is named.
depends=$(dpkg-deb -f "$deb" Depends)
# One package name a line (alternatives and versions left out).
depended=$(tr ',|' '\n\n' <<<"$depends" | awk 'NF {print $1}')
dpkg-deb -x "$deb" "$work/root"
ldconfig -p >"$work/libraries"
for program in "$work"/root/usr/bin/* "$work"/root/usr/lib/tallyvane/*.so; do
  for soname in $(objdump -p "$program" | awk '$1 == "NEEDED" {print $2}'); do
    library=$(awk -v s="$soname" '$1 == s && /x86-64/ {print $NF; exit}' "$work/libraries")
    [ -n "$library" ] || fail "$(basename "$program") needs $soname, not found on this machine"
    owner=$(dpkg -S "$(readlink -f "$library")" 2>/dev/null | awk -F: 'NR == 1 {print $1}') || owner=
    [ -n "$owner" ] || owner=$(dpkg -S "$library" | awk -F: 'NR == 1 {print $1}')
    grep -qxF "$owner" <<<"$depended" || fail "$(basename "$program") needs $soname of $owner, not in Depends: $depends"
  done
done
for needed in tdsodbc fonts-wqy-zenhei qt6-qpa-plugins; do
  grep -qxF "$needed" <<<"$depended" || fail "$needed not in Depends"
done
grep -q "libreoffice" <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "LibreOffice not recommended"
grep -q "qt6-translations-l10n" <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "Qt's translations not recommended"
desktop-file-validate "$work/root/usr/share/applications/tallyvane.desktop" || fail "desktop file"
echo "test-package: contents, Depends and desktop file as expected"

if [ "$(id -u)" != 0 ]; then
  echo "test-package: SKIPPED installing the package: needs root (dpkg -i)"
  exit 0
fi
if dpkg-query -W -f='${Status}' tallyvane 2>/dev/null | grep -q 'install ok installed'; then
  fail "a tallyvane package is installed already; remove it first"
fi
installed=1
export DEBIAN_FRONTEND=noninteractive
dpkg -i "$deb" >"$work/dpkg.log" 2>&1 || apt-get -f install -y -qq >>"$work/dpkg.log" 2>&1 || {
  cat "$work/dpkg.log"
  fail "installing the package"
}
dpkg-query -W -f='${Status}' tallyvane | grep -q 'install ok installed' || fail "tallyvane not installed"

# The installed copies, not the build's.
[ "$(/usr/bin/tallyvane-report --version)" = "tallyvane-report $version" ] || fail "installed --version"
[ "$(/usr/bin/tallyvane --version)" = "tallyvane $version" ] || fail "installed tallyvane --version"
/usr/bin/tallyvane-demo-db "$work/demo.sqlite" --invoices 300 --years 1 >/dev/null
/usr/bin/tallyvane-report --db "$work/demo.sqlite" departments --format csv >"$work/departments.csv"
[ "$(wc -l <"$work/departments.csv")" -ge 2 ] || fail "departments listed nothing"
department=$(sed -n 2p "$work/departments.csv" | cut -d, -f1)
# Through SQLite's ODBC driver the statements need the T-SQL extension, found from /usr/bin.
printf '[DBConfig]\nSvr="odbc:Driver=SQLite3;Database=%s"\n' "$work/demo.sqlite" >"$work/odbc.ini"
/usr/bin/tallyvane-report --settings "$work/odbc.ini" fee-items --department "$department" \
  --from 2000-01-01 --to 2099-12-31 --format csv >"$work/items.csv" || fail "fee-items through ODBC"
[ "$(wc -l <"$work/items.csv")" -ge 2 ] || fail "no fee items through ODBC"
/usr/bin/tallyvane-report --db "$work/demo.sqlite" fee-items --department "$department" \
  --from 2000-01-01 --to 2099-12-31 --format csv >"$work/items-direct.csv"
cmp -s "$work/items.csv" "$work/items-direct.csv" || fail "fee items through ODBC differ from the embedded engine"
echo "test-package: installed tallyvane-report works, also through SQLite's ODBC driver"

# The desktop program on the demo database, offscreen: it generates the database into its
# cache folder and must still be running a moment later (a failed start-up ends it).
HOME=$work/home XDG_CACHE_HOME=$work/cache QT_QPA_PLATFORM=offscreen /usr/bin/tallyvane --demo >"$work/tallyvane.log" 2>&1 &
app=$!
for _ in $(seq 120); do
  [ -n "$(find "$work/cache" -name demo.sqlite 2>/dev/null)" ] && break
  kill -0 "$app" 2>/dev/null || break
  sleep 0.5
done
sleep 3
if ! kill -0 "$app" 2>/dev/null; then
  wait "$app" && status=0 || status=$?
  cat "$work/tallyvane.log"
  fail "tallyvane --demo ended with status $status"
fi
kill "$app"
wait "$app" 2>/dev/null || true
[ -n "$(find "$work/cache" -name demo.sqlite)" ] || fail "tallyvane --demo wrote no demo database"
echo "test-package: installed tallyvane --demo started"

dpkg -r tallyvane >/dev/null
installed=0
[ ! -e /usr/bin/tallyvane ] || fail "/usr/bin/tallyvane left after removal"
echo "test-package: passed"
