#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, build-fuzz/) and runs each for FUZZ_SECONDS
# (default 60), two at a time. The committed corpus is read-only seed: new inputs go
# to a temporary folder. Fails when any target finds a crash; its input is printed.
#   FUZZ_SECONDS=300 scripts/fuzz.sh [target...]     (FUZZ_KEEP=1 keeps the new inputs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
seconds=${FUZZ_SECONDS:-60}
jobs=${FUZZ_JOBS:-2}
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(fuzz_tsql_rewrite fuzz_tsql_functions fuzz_percentage_text fuzz_page_box fuzz_cli_arguments
           fuzz_sql_quoting fuzz_connection_string)
fi

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DTALLYVANE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target "${targets[@]}"

work=$(mktemp -d "${TMPDIR:-/tmp}/tallyvane-fuzz.XXXXXX")
echo "fuzzing ${#targets[@]} targets for ${seconds}s each, $jobs at a time; work folder $work"

run_one() {
  local t=$1 dir="$work/$1" rc=0 dict=()
  mkdir -p "$dir/new" "$dir/crash"
  [ -f "$root/tests/fuzz/$t.dict" ] && dict=(-dict="$root/tests/fuzz/$t.dict")
  # -rss_limit_mb: a report statement is small; anything near that is a leak worth a look
  LANG=C.UTF-8 TZ=UTC "$build/tests/fuzz/$t" "$dir/new" "$root/tests/fuzz/corpus/$t" \
    -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$dir/crash/" \
    -rss_limit_mb=2048 "${dict[@]}" >"$dir/log" 2>&1 || rc=$?
  echo "$rc" >"$dir/status"
}

running=0
for t in "${targets[@]}"; do
  run_one "$t" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then wait -n || true; running=$((running - 1)); fi
done
wait || true

failed=0
printf '%-26s %8s %14s %10s  %s\n' target status executions new_units result
for t in "${targets[@]}"; do
  dir="$work/$t"
  status=$(cat "$dir/status" 2>/dev/null || echo '?')
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/log" | tail -1)
  units=$(find "$dir/new" -type f | wc -l)
  crashes=$(find "$dir/crash" -type f | wc -l)
  result=ok
  if [ "$status" != 0 ] || [ "$crashes" -gt 0 ]; then result=FAILED; failed=1; fi
  printf '%-26s %8s %14s %10s  %s\n' "$t" "$status" "${execs:-?}" "$units" "$result"
done

if [ "$failed" -ne 0 ]; then
  for t in "${targets[@]}"; do
    dir="$work/$t"
    [ "$(cat "$dir/status" 2>/dev/null || echo 1)" = 0 ] && [ -z "$(ls -A "$dir/crash")" ] && continue
    echo "=== $t: $dir/log (tail)"
    grep -E 'property broken|detail:|ERROR|SUMMARY|runtime error' "$dir/log" | head -20 || tail -20 "$dir/log"
    for f in "$dir"/crash/*; do
      [ -f "$f" ] || continue
      echo "--- crash input $f (replay: $build/tests/fuzz/$t $f)"
      od -A d -c "$f" | head -20
    done
  done
  echo "fuzzing found crashes; inputs kept in $work"
  exit 1
fi
# FUZZ_KEEP=1 keeps the new inputs (to pick seeds from); else they go.
if [ "${FUZZ_KEEP:-0}" = 1 ]; then echo "new inputs kept in $work"; else rm -rf "$work"; fi
