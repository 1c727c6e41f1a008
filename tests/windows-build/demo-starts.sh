#!/usr/bin/env bash
# tallyvane.exe --demo under Wine on the offscreen platform: it generates the demo database
# into the user's cache folder and must still be running a moment later, with its main
# window open (a failed start-up ends it with its messages).
#   demo-starts.sh WINDOWS_BUILD
set -euo pipefail
build=$1
export WINEPREFIX=$build/wine QT_QPA_PLATFORM=offscreen
users=$WINEPREFIX/drive_c/users
find "$users" -name demo.sqlite -delete 2>/dev/null || true
log=$(mktemp)
trap 'rm -f "$log"' EXIT
"$build/wine-run.sh" "$build/app/tallyvane.exe" --demo >"$log" 2>&1 &
app=$!
found=
for _ in $(seq 240); do
  found=$(find "$users" -name demo.sqlite 2>/dev/null | head -1)
  [ -n "$found" ] && break
  kill -0 "$app" 2>/dev/null || break
  sleep 0.5
done
sleep 3
if ! kill -0 "$app" 2>/dev/null; then
  wait "$app" && status=0 || status=$?
  cat "$log"
  echo "FAILED: tallyvane.exe --demo ended with status $status"
  exit 1
fi
kill "$app"
wait "$app" 2>/dev/null || true
[ -n "$found" ] || { echo "FAILED: tallyvane.exe --demo wrote no demo database"; exit 1; }
echo "tallyvane.exe --demo generated $found and kept running"
