#!/usr/bin/env bash
# Runs every libFuzzer target for a set time on its seed corpus; a finding fails the run.
set -u
build=$(realpath "${1:-build}")
seconds=${2:-300}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
status=0
for target in "$build"/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$build/fuzz/corpus/$name"
  mkdir -p "$corpus" "$build/fuzz/findings"
  seeds="$source_dir/tests/fuzz/corpus/$name"
  [ -d "$seeds" ] || seeds=""
  if "$target" -max_total_time="$seconds" -print_final_stats=0 -artifact_prefix="$build/fuzz/findings/$name-" \
       "$corpus" $seeds > "$build/fuzz/$name.log" 2>&1; then
    echo "fuzz ok $name"
  else
    tail -40 "$build/fuzz/$name.log"
    echo "fuzz FAILED $name"
    status=1
  fi
done
exit $status
