#!/usr/bin/env bash
# Fresh Debian 12 machine -> dependencies installed, project built, program started on the demo database.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup-debian.sh"
bash "$root/scripts/build.sh"
exec "$root/build/app/tallyvane" --demo "$@"
