#!/usr/bin/env bash
# The checked build of the test command: the parts without widgets built with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer (plus the coverage instrumentation the
# libFuzzer targets need, so that one build serves both) in build-asan/, and their tests
# run there: the calculation core, the file formats, the catalogue and the catalogue
# tool, the batch tool and its tests, the hostile inputs, and the examples through the
# batch tool with every output switched on. The screens and their tests, the desktop
# program, the screenshot tool, the manual and the benchmarks are left out: the screens
# run their tests in the normal build.
#   scripts/sanitize.sh          # build, then test
#   scripts/sanitize.sh build    # only build (./test.sh fuzzes while the tests run)
#   scripts/sanitize.sh test     # only test an existing build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/sanitizer-env.sh
what=${1:-all}
if [ "$what" = all ] || [ "$what" = build ]; then
  cmake -S . -B build-asan -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
    "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -gline-tables-only" \
    -DTARVEL_BUILD_FUZZ=ON -DTARVEL_BUILD_GUI=OFF -DTARVEL_BUILD_PROGRAMS=OFF \
    -DTARVEL_BUILD_BENCH=OFF >/dev/null
  cmake --build build-asan --parallel "$(nproc)"
fi
if [ "$what" = all ] || [ "$what" = test ]; then
  status=0
  (cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" \
    --label-exclude normal_build_only --timeout 900 ${CTEST_JUNIT:+--output-junit "$CTEST_JUNIT"}) || status=1
  out=$(mktemp -d)
  trap 'rm -rf "$out"' EXIT
  for f in examples/*.json; do
    result=ok
    for lang in de en; do
      QT_QPA_PLATFORM=offscreen build-asan/tarvelcalc-batch "$f" --catalogue build-asan/DBFN.db \
        --export --report "$lang" --pdf "$out/report.pdf" >"$out/out.json" || result="FAILED ($lang)"
    done
    echo "example $f: $result"
    [ "$result" = ok ] || status=1
  done
  # The catalogue tool on the smaller Access samples beside the project (when they are
  # there): import, check (its errors are expected: the samples are no guide catalogues),
  # export. Not the largest: under the sanitizers libmdb's megabyte per text value makes
  # its import take about a minute (tests/CMakeLists.txt, normal_build_only).
  jet=../shared/testdata/jet
  for f in "$jet"/DateTestDatabase.mdb "$jet"/*.accdb; do
    [ -f "$f" ] || continue
    if build-asan/tarvelcalc-catalogue import "$f" -o "$out/imported.db" >/dev/null &&
        { build-asan/tarvelcalc-catalogue check "$out/imported.db" >/dev/null 2>"$out/check.err"; [ $? -le 1 ]; } &&
        ! grep -qE 'Sanitizer|runtime error' "$out/check.err" &&
        build-asan/tarvelcalc-catalogue export "$out/imported.db" >"$out/imported.sql"; then
      echo "catalogue tool on $f: ok"
    else
      echo "catalogue tool on $f: FAILED" >&2
      status=1
    fi
    rm -f "$out/imported.db"
  done
  exit $status
fi
