#!/usr/bin/env bash
# The checked build of the test command: the tests and the batch tool built with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer (plus the coverage instrumentation the
# two libFuzzer targets need, so that one build serves both) in build-asan/, then the
# whole test suite run there - unit and GUI tests, the README example, the hostile
# inputs - and the examples through the batch tool with every output switched on.
# The desktop program, the screenshot tool, the manual and the benchmarks are left out.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/sanitizer-env.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-asan -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -gline-tables-only" \
  -DTARVEL_BUILD_FUZZ=ON -DTARVEL_BUILD_PROGRAMS=OFF -DTARVEL_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build-asan --parallel "$(nproc)"
(cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 900)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for f in examples/*.json; do
  for lang in de en; do
    QT_QPA_PLATFORM=offscreen build-asan/tarvelcalc-batch "$f" --catalogue build-asan/DBFN.db --export \
      --report "$lang" --pdf "$out/report.pdf" >"$out/out.json"
  done
  echo "example $f: ok"
done
# The catalogue tool on the Access samples beside the project (when they are there):
# import, check (its errors are expected: the samples are no guide catalogues), export.
jet=../shared/testdata/jet
for f in "$jet"/*.mdb "$jet"/*.accdb; do
  [ -f "$f" ] || continue
  build-asan/tarvelcalc-catalogue import "$f" -o "$out/imported.db" >/dev/null
  build-asan/tarvelcalc-catalogue check "$out/imported.db" >/dev/null || true
  build-asan/tarvelcalc-catalogue export "$out/imported.db" >"$out/imported.sql"
  rm -f "$out/imported.db"
  echo "catalogue tool on $f: ok"
done
