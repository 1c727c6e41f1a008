#!/usr/bin/env bash
# Cross-builds Tallyvane for 64-bit Windows into build-windows/ (mingw-w64 against the kit in
# ../shared/windows/, warnings are errors as on Linux), every program and test program:
#   1. installs the Debian packages (scripts/setup-debian.sh, then mingw-w64 and Wine);
#   2. unpacks the kit into a cache folder outside the checkout, again when the kit changes;
#   3. makes the build's private Wine prefix, builds, and gathers the three programs with
#      the DLLs and plugins they need in build-windows/programs/.
# Then: bash scripts/test-windows.sh runs the tests under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
shared=${TALLY_SHARED:-$root/../shared}
kit_archive=$shared/windows/windows-kit.tar.xz
build=$root/build-windows
[ -f "$kit_archive" ] || { echo "build-windows: no $kit_archive" >&2; exit 1; }

bash "$root/scripts/setup-debian.sh" g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools \
  wine wine64 ninja-build

# The kit, unpacked once per version of the archive.
if [ -w /var/cache ]; then cache=/var/cache/tallyvane; else cache=${XDG_CACHE_HOME:-$HOME/.cache}/tallyvane; fi
kit=$cache/windows-kit
stamp=$(sha256sum "$kit_archive" | cut -d' ' -f1)
if [ "$(cat "$kit.stamp" 2>/dev/null)" != "$stamp" ]; then
  echo "build-windows: unpacking the kit into $kit"
  rm -rf "$kit" "$kit.stamp"
  mkdir -p "$cache"
  tar -C "$cache" -xf "$kit_archive"
  echo "$stamp" >"$kit.stamp"
fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$shared/windows/toolchain.cmake" -DWINDOWS_KIT="$kit" -DTALLY_LINUX_BUILD="$root/build" >/dev/null

# The prefix the build's programs run in (the picture step runs one): made once, quietly.
export WINEPREFIX=$build/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "build-windows: making the Wine prefix $WINEPREFIX"
  wineboot -i >/dev/null 2>&1
fi
# Wine passes no QT_* variable of the Linux environment on to a program, so the prefix's
# own environment (the registry) puts its programs on the offscreen platform (the build
# steps and the tests have no display) and shows them the kit's plugins.
wine reg add 'HKCU\Environment' /v QT_QPA_PLATFORM /d offscreen /f >/dev/null 2>&1
wine reg add 'HKCU\Environment' /v QT_PLUGIN_PATH /d "Z:${kit//\//\\}\\plugins" /f >/dev/null 2>&1
wineserver -w

cmake --build "$build" -j"$(nproc)"

# A folder that runs as it is on a Windows desktop: the programs, Qt's and the compiler's
# DLLs, the platform plugins, and the desktop picture.
programs=$build/programs
rm -rf "$programs"
mkdir -p "$programs/platforms"
cp "$build/app/tallyvane.exe" "$build/app/MDI.BMP" "$build/cli/tallyvane-report.exe" \
   "$build/demo/tallyvane-demo-db.exe" "$build/data/libtally_tsql_sqlite.dll" "$programs/"
for dll in Qt6Core Qt6Gui Qt6Widgets Qt6PrintSupport libgcc_s_seh-1 libstdc++-6 libwinpthread-1; do
  cp "$kit/bin/$dll.dll" "$programs/"
done
cp "$kit/plugins/platforms/qwindows.dll" "$kit/plugins/platforms/qoffscreen.dll" "$programs/platforms/"
echo "build-windows: the programs are in $programs"
