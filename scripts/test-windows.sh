#!/usr/bin/env bash
# Runs the Windows build's tests under Wine (build it first: scripts/build-windows.sh): each
# test program once, with all its cases, then tallyvane-report.exe against the Linux build.
# Extra arguments go to ctest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-windows
export LANG=C.UTF-8 TZ=UTC WINEPREFIX=$build/wine WINEDEBUG=-all
status=0
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" "$@" || status=$?
wineserver -k 2>/dev/null || true  # the prefix's server ends with the run
exit "$status"
