#!/usr/bin/env bash
# Runs the three libFuzzer targets of build-asan/ (scripts/sanitize.sh builds them) side by
# side, each for FUZZ_SECONDS (default 60) on its corpus in tests/fuzz/. New inputs go to
# a scratch folder, so the corpora in the source tree stay as they are; a crash leaves
# its input there and in the log, which are printed.
#   scripts/fuzz.sh            # 60 s each, as ./test.sh runs it
#   FUZZ_SECONDS=3600 scripts/fuzz.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/sanitizer-env.sh
seconds=${FUZZ_SECONDS:-60}
work=$(mktemp -d "${TMPDIR:-/tmp}/tarvel-fuzz.XXXXXX")
keep=0
cleanup() { [ "$keep" = 1 ] || rm -rf "$work"; }
trap cleanup EXIT
pids=()
for t in case catalogue import; do
  mkdir -p "$work/$t"
  dict=()
  [ -f "tests/fuzz/$t.dict" ] && dict=(-dict="tests/fuzz/$t.dict")
  QT_QPA_PLATFORM=offscreen build-asan/fuzz/fuzz_$t -max_total_time="$seconds" -close_fd_mask=1 \
    -timeout=30 -rss_limit_mb=2048 -artifact_prefix="$work/$t-" "${dict[@]}" \
    "$work/$t" "tests/fuzz/$t" >"$work/$t.log" 2>&1 &
  pids+=($!)
done
status=0
i=0
for t in case catalogue import; do
  if wait "${pids[$i]}"; then
    echo "fuzz_$t: $(grep -aE '^#[0-9]+.*DONE' "$work/$t.log" | tail -1)"
  else
    status=1
    keep=1
    echo "fuzz_$t FAILED; inputs and log in $work" >&2
    tail -60 "$work/$t.log" >&2
  fi
  i=$((i + 1))
done
exit $status
