# Shared helpers for the integration scripts: assertions that count, temporary folders, wine.
set -u
test_failures=0
test_name=$(basename "$0" .sh)

scratch=$(mktemp -d "${TMPDIR:-/tmp}/wyr-$test_name.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

fail() { echo "FAIL: $*" >&2; test_failures=$((test_failures + 1)); }

# expect_eq what expected actual
expect_eq() {
  if [ "$2" != "$3" ]; then
    fail "$1"$'\n'"  expected: $(printf '%q' "$2")"$'\n'"  actual:   $(printf '%q' "$3")"
  fi
}

# expect_contains what needle haystack
expect_contains() {
  case $3 in *"$2"*) ;; *) fail "$1: $(printf '%q' "$2") not in $(printf '%q' "$3")" ;; esac
}

expect_not_contains() {
  case $3 in *"$2"*) fail "$1: $(printf '%q' "$2") unexpectedly in $(printf '%q' "$3")" ;; esac
}

# Runs wine's 64-bit loader in the run's private prefix, standard error discarded.
wine_run() { "$WYR_WINE" "$@" 2>/dev/null; }

# Converts wine's CR LF output to LF.
strip_cr() { tr -d '\r'; }

finish() {
  if [ "$test_failures" -gt 0 ]; then
    echo "$test_name: $test_failures failure(s)" >&2
    exit 1
  fi
  echo "$test_name: ok"
  exit 0
}

: "${WINEPREFIX:=$WYR_LINUX_DIR/../wineprefix}"
export WINEPREFIX WINEDEBUG=-all
