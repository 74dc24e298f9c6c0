#!/usr/bin/env bash
# Runs every test suite (Linux build with wine and PE checks, sanitizer build, brief fuzzing)
# and ends with one count line over all of them.
set -u
build=$(realpath "${1:-build}")
passed=0
failed=0

count_ctest() { # folder, label-arguments...
  local folder=$1; shift
  local log
  log=$(mktemp)
  (cd "$folder" && ctest --output-on-failure --timeout 600 "$@") 2>&1 | tee "$log"
  local total fails
  total=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2/p' "$log" | tail -1)
  fails=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -1)
  if [ -z "$total" ]; then
    # No summary at all means ctest itself failed to run: count that as a failure.
    grep -q 'No tests were found' "$log" || failed=$((failed + 1))
  else
    passed=$((passed + total - fails))
    failed=$((failed + fails))
  fi
  rm -f "$log"
}

# Wine: a private prefix under the build folder and one wineserver for the whole run.
wine_dir=$(dirname "${WYR_WINE:-/usr/lib/wine/wine64}")
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all
export WYR_WINESERVER="$wine_dir/wineserver"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine_dir/wine64" wineboot -i >/dev/null 2>&1 || true
fi
"$WYR_WINESERVER" -p >/dev/null 2>&1 || true
"$WYR_WINESERVER" -w >/dev/null 2>&1 &

count_ctest "$build/linux" -j 2
# Under the sanitizers a report ends the process with a failure.
ASAN_OPTIONS="handle_segv=0:allow_user_segv_handler=1:detect_leaks=0:abort_on_error=1" \
UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1" \
  count_ctest "$build/linux-asan" -j 2

# Each fuzz target runs briefly; a finding counts as a failed test.
bash "$(dirname "$0")/run-fuzz.sh" "$build" "${WYR_FUZZ_CHECK_SECONDS:-20}" | tee "$build/fuzz-check.log"
passed=$((passed + $(grep -c '^fuzz ok' "$build/fuzz-check.log")))
failed=$((failed + $(grep -c '^fuzz FAILED' "$build/fuzz-check.log")))

"$WYR_WINESERVER" -k >/dev/null 2>&1 || true
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
