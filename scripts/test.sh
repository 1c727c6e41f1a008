#!/usr/bin/env bash
# Fresh Debian 12 machine -> dependencies installed, project built, every test run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup-debian.sh"
bash "$root/scripts/build.sh"
cd "$root/build"
export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 TZ=UTC
ctest --output-on-failure -j"$(nproc)" "$@"
