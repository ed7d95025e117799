#!/usr/bin/env bash
# Runs the batch tool on hostile inputs (built by make-hostile.sh into a fresh folder)
# and checks that each gets its clear answer: the exit code, the message, and nothing
# lost or left behind.
#   run-hostile.sh BATCH_TOOL CATALOGUE_SQL
set -uo pipefail
batch=$(readlink -f "$1")
sql=$(readlink -f "$2")
here=$(dirname "$(readlink -f "$0")")
work=$(mktemp -d "${TMPDIR:-/tmp}/tarvel-hostile.XXXXXX")
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
"$here/make-hostile.sh" "$work/in" "$sql" || { echo "FAIL: building the hostile inputs"; exit 1; }
cd "$work"
in=$work/in
failures=0
checks=0

# check NAME CODE PATTERN COMMAND...: the command (run with a time limit) must exit with
# CODE and its standard error and output together must contain PATTERN.
check() {
  local name=$1 code=$2 pattern=$3
  shift 3
  checks=$((checks + 1))
  local got=0
  timeout 120 "$@" >"$work/out" 2>"$work/err" || got=$?
  if [ "$got" != "$code" ] || ! grep -qF -- "$pattern" "$work/out" "$work/err"; then
    echo "FAIL: $name: exit $got (want $code), want \"$pattern\" in:"
    head -c 2000 "$work/err"; head -c 1000 "$work/out"; echo
    failures=$((failures + 1))
  else
    echo "ok: $name"
  fi
}
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }
run() { "$batch" "$@"; }
cat_=(--catalogue "$in/good.db")
sqlite3 "$in/good.db" < "$sql"

# -- 1: PDFs are written whole or not at all
check "pdf to /dev/full" 1 "keine gewöhnliche Datei" "$batch" "$in/good.json" "${cat_[@]}" --report de --pdf /dev/full
[ -c /dev/full ] || fail "/dev/full is no longer a device"
check "pdf into a missing folder" 1 "gibt es nicht" "$batch" "$in/good.json" "${cat_[@]}" --report de --pdf "$work/no/such/folder/r.pdf"
mkdir -p pdf && printf 'the old report\n' > pdf/r.pdf
# A full disk, as the file-size limit makes it (the signal is ignored, the writes fail).
check "pdf on a full disk" 1 "r.pdf" bash -c 'trap "" XFSZ; ulimit -f 16; exec "$0" "$@"' \
  "$batch" "$in/good.json" "${cat_[@]}" --report de --pdf "$work/pdf/r.pdf"
[ "$(cat pdf/r.pdf)" = "the old report" ] || fail "the old PDF was not kept"
[ "$(ls -A pdf | wc -l)" = 1 ] || fail "a temporary file was left beside the PDF: $(ls -A pdf)"
check "pdf written" 0 '"evaluation"' "$batch" "$in/good.json" "${cat_[@]}" --report de --pdf "$work/pdf/r.pdf"
head -c 5 pdf/r.pdf | grep -q '%PDF-' || fail "the new PDF was not written"

# -- 2: results that cannot be written
check "stdout on a full disk" 1 "cannot write the results" bash -c 'exec "$0" "$@" > /dev/full' \
  "$batch" "$in/good.json" "${cat_[@]}" --export --report en
check "stdout closed" 1 "standard output is closed" bash -c 'exec "$0" "$@" >&-' "$batch" "$in/good.json" "${cat_[@]}"

# -- 3: no verdict without a required safety greater than 0
for kind in text null blob empty zero missing; do
  check "StdSiko $kind" 1 'StdSiko' "$batch" "$in/good.json" --catalogue "$in/safety-$kind-StdSiko.db" --report de
  grep -q '"evaluation": \[\]' "$work/out" || fail "StdSiko $kind: evaluation rows were given"
  grep -q 'Sicherheit ausreichend' "$work/out" && fail "StdSiko $kind: a safe verdict"
  check "SwSiko $kind" 1 'SwSiko' "$batch" "$in/good-type1.json" --catalogue "$in/safety-$kind-SwSiko.db"
done

# -- 4: hostile catalogues and case files cannot hang the program or fill the disk
check "endless recursive view" 1 '"TLS_Basis"' "$batch" "$in/good.json" --catalogue "$in/view-endless.db"
check "view" 1 '"TLS_Kassette"' "$batch" "$in/good.json" --catalogue "$in/view-plain.db"
check "virtual table" 1 '"TLS_Rollenschuh"' "$batch" "$in/good.json" --catalogue "$in/virtual-table.db"
check "enormous join" 1 "abgebrochen" "$batch" "$in/good.json" --catalogue "$in/join-enormous.db"
check "fat sort" 1 "mehr Speicher" "$batch" "$in/good.json" --catalogue "$in/sort-fat.db"
check "case file of 17 MiB" 2 "larger than 16 MiB" "$batch" "$in/huge.json" "${cat_[@]}"
check "case file /dev/zero" 2 "larger than 16 MiB" "$batch" /dev/zero "${cat_[@]}"

# -- 5: a WAL catalogue in a read-only folder opens, and nothing is made beside it
chmod a-w "$in/wal"
check "WAL catalogue, read-only folder" 0 '"evaluation"' "$batch" "$in/good.json" --catalogue "$in/wal/DBFN.db"
[ "$(ls -A "$in/wal")" = "DBFN.db" ] || fail "files were made beside the WAL catalogue: $(ls -A "$in/wal")"

# -- 6: wrongly typed or out-of-range input is refused, naming the key
for f in "$in"/loadtype-*.json; do
  check "$(basename "$f")" 2 '"loadType"' "$batch" "$f" "${cat_[@]}"
done
for f in "$in"/special-type-*.json; do
  check "$(basename "$f")" 2 '"type"' "$batch" "$f" "${cat_[@]}"
done
check "no table sets" 1 "keine Tabellensätze" "$batch" "$in/good.json" --catalogue "$in/sets-zero.db"
check "negative table sets" 1 "keine Tabellensätze" "$batch" "$in/good.json" --catalogue "$in/sets-negative.db"

echo "$checks checks, $failures failed"
[ "$failures" = 0 ]
