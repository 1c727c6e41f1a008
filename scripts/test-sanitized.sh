#!/usr/bin/env bash
# Builds the whole project with AddressSanitizer + UndefinedBehaviorSanitizer into
# build-asan/ and runs every test there. Any report fails the test that caused it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DTALLYVANE_SANITIZE=ON -DTALLYVANE_WERROR=OFF >/dev/null
cmake --build "$root/build-asan" -j"$(nproc)"
cd "$root/build-asan"
export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 TZ=UTC
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp"
ctest --output-on-failure -j"$(nproc)" "$@"
