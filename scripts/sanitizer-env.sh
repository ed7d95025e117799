# Sourced by scripts/sanitize.sh and scripts/fuzz.sh: how the sanitizers report.
# Any error ends the program with a report; leaks of Qt's own allocations are suppressed
# (tests/sanitizer/lsan.supp says which and why), none of the project's.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$root/tests/sanitizer/lsan.supp:print_suppressions=0
if [ -z "${ASAN_SYMBOLIZER_PATH:-}" ]; then
  for s in llvm-symbolizer llvm-symbolizer-14; do
    if command -v "$s" >/dev/null; then export ASAN_SYMBOLIZER_PATH=$(command -v "$s"); break; fi
  done
fi
