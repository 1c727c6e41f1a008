#!/usr/bin/env bash
# Pictures of the report windows after a run on the demo database, saved under docs/screenshots/.
# Needs a built tree (scripts/build.sh) and Xvfb (installed by scripts/setup-debian.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
cmake --build "$build" -j2 --target tallyvane-screenshots
xvfb-run -a -s "-screen 0 1440x900x24" \
  env LANG=C.UTF-8 TZ=UTC "$build/app/screenshots/tallyvane-screenshots" "$root/docs/screenshots" "$@"
