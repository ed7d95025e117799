#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the build and its test suite,
# the latter while the checked build with the sanitizers compiles (scripts/sanitize.sh),
# whose tests - the parts without widgets, the examples and the hostile inputs - then run
# while the fuzz targets run for a minute each (scripts/fuzz.sh). Ends with a summary: each part, its wall time
# and what it counted. Exit status 0 only when every part passed.
set -uo pipefail
cd "$(dirname "$0")"
logs=$(mktemp -d "${TMPDIR:-/tmp}/tarvel-test.XXXXXX")
trap 'rm -rf "$logs"' EXIT
start_all=$SECONDS
rows=()
failed=0

# row NAME SECONDS STATUS DETAIL: one line of the summary.
row() {
  local mark=ok
  [ "$3" = 0 ] || { mark=FAILED; failed=1; }
  rows+=("$(printf '%-18s %5s s  %-6s %s' "$1" "$2" "$mark" "$4")")
}

# counts JUNIT: sets $counted to "N passed, N failed, N skipped" of a ctest run and adds
# them to the totals.
all_passed=0 all_failed=0 all_skipped=0
counts() {
  local head
  counted="no test results"
  head=$(tr '\n\t' '  ' <"$1" 2>/dev/null | grep -m1 -o '<testsuite [^>]*>') || return 0
  local total failures skipped
  total=$(sed -n 's/.* tests="\([0-9]*\)".*/\1/p' <<<"$head")
  failures=$(sed -n 's/.* failures="\([0-9]*\)".*/\1/p' <<<"$head")
  skipped=$(sed -n 's/.* skipped="\([0-9]*\)".*/\1/p' <<<"$head")
  all_passed=$((all_passed + total - failures - skipped))
  all_failed=$((all_failed + failures))
  all_skipped=$((all_skipped + skipped))
  counted="$((total - failures - skipped)) passed, $failures failed, $skipped skipped"
}

# timed NAME COMMAND...: runs a part in the foreground and records it.
timed() {
  local name=$1 t=$SECONDS status=0
  shift
  "$@" || status=$?
  row "$name" $((SECONDS - t)) "$status" ""
  echo "=== $name: $((SECONDS - t)) s"
  return "$status"
}

# beside KEY COMMAND...: starts a part in the background, its output and wall time kept
# under KEY; joined KEY waits for it, prints its output and sets $status and $secs.
declare -A pids
beside() {
  local key=$1 t0=$SECONDS
  shift
  ("$@" >"$logs/$key.out" 2>&1; s=$?; echo $((SECONDS - t0)) >"$logs/$key.seconds"; exit $s) &
  pids[$key]=$!
}
joined() {
  status=0
  wait "${pids[$1]}" || status=$?
  cat "$logs/$1.out"
  secs=$(cat "$logs/$1.seconds" 2>/dev/null || echo ?)
}

summary() {
  echo
  echo "=== summary of ./test.sh"
  printf '%s\n' "${rows[@]}"
  printf '%-18s %5s s  %s\n' "total" $((SECONDS - start_all)) "$([ $failed = 0 ] && echo ok || echo FAILED)"
  echo "tests: $all_passed passed, $all_failed failed, $all_skipped skipped"
}

timed "packages" scripts/deps.sh || { summary; exit 1; }
timed "build" scripts/build.sh || { summary; exit 1; }

# The tests of the normal build while the checked build compiles: the tests are many
# short processes that leave the cores room.
t=$SECONDS
beside asan-build scripts/sanitize.sh build
status=0
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" \
  --output-junit "$logs/tests.xml") || status=$?
counts "$logs/tests.xml"
row "tests" $((SECONDS - t)) "$status" "$counted (beside the sanitizer build)"
echo "=== tests: $((SECONDS - t)) s"
joined asan-build
row "sanitizer build" "$secs" "$status" ""
echo "=== sanitizer build: $secs s"
[ "$status" = 0 ] || { summary; exit 1; }

# The sanitizer tests and the fuzz targets side by side: fuzzing is bounded by its time,
# the tests take what is left of the two cores.
t=$SECONDS
beside fuzz scripts/fuzz.sh
status=0
CTEST_JUNIT=$logs/asan.xml scripts/sanitize.sh test | tee "$logs/asan.out" || status=$?
examples=$(grep -c '^example .*: ok$' "$logs/asan.out")
counts "$logs/asan.xml"
row "sanitizer tests" $((SECONDS - t)) "$status" "$counted; examples: $examples ok"
echo "=== sanitizer tests: $((SECONDS - t)) s"
joined fuzz
runs=$(sed -n 's/^\(fuzz_[a-z_]*\): #\([0-9]*\).*/\1 \2 runs/p' "$logs/fuzz.out" | paste -sd, - | sed 's/,/, /g')
row "fuzzing" "$secs" "$status" "${runs:-no runs}$([ "$status" = 0 ] && echo ', no findings')"
echo "=== fuzzing: $secs s (beside the sanitizer tests)"

summary
exit $failed
