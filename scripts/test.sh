#!/usr/bin/env bash
# Fresh Debian 12 machine -> dependencies installed, project built, every test run:
#   0. the format check (scripts/check-format.sh);
#   1. the normal build (build/, warnings are errors) and its whole suite, then the Debian
#      package built, checked, installed, run and removed (scripts/test-package.sh);
#   1b. the Windows build (build-windows/, scripts/build-windows.sh) and its suite under Wine
#      (scripts/test-windows.sh), the report tool's answers compared with the Linux build's;
#   2. the same suite under AddressSanitizer + UndefinedBehaviorSanitizer (build-asan/);
#   3. each libFuzzer target for FUZZ_SECONDS (30 here; scripts/fuzz.sh alone runs 60) (build-fuzz/).
# Extra arguments go to the first ctest run. CHECKED_BUILDS=0 runs step 1 (and 1b) only;
# WINDOWS_BUILD=0 leaves out step 1b.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup-debian.sh"
bash "$root/scripts/check-format.sh"
bash "$root/scripts/build.sh"
(
  cd "$root/build"
  export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 TZ=UTC
  ctest --output-on-failure -j"$(nproc)" "$@"
)
bash "$root/scripts/test-package.sh"
if [ "${WINDOWS_BUILD:-1}" != 0 ]; then
  bash "$root/scripts/build-windows.sh"
  bash "$root/scripts/test-windows.sh"
fi
if [ "${CHECKED_BUILDS:-1}" != 0 ]; then
  bash "$root/scripts/test-sanitized.sh"
  FUZZ_SECONDS="${FUZZ_SECONDS:-30}" bash "$root/scripts/fuzz.sh"
fi
