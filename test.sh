#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the build and its test suite,
# then the checked build with the sanitizers and its test suite, the examples and the
# hostile inputs (scripts/sanitize.sh), then each fuzz target for a minute
# (scripts/fuzz.sh). Each part reports its wall time.
set -euo pipefail
cd "$(dirname "$0")"
part() {
  local name=$1 start=$SECONDS
  shift
  "$@"
  echo "=== $name: $((SECONDS - start)) s"
}
scripts/deps.sh
part "build" scripts/build.sh
part "tests" bash -c 'cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"'
part "sanitizer build and tests" scripts/sanitize.sh
part "fuzzing" scripts/fuzz.sh
