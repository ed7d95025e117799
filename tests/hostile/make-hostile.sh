#!/usr/bin/env bash
# Builds the hostile inputs of the batch tool into OUT: case files and small catalogues,
# each made to hit one weak spot (see run-hostile.sh for what each must give).
#   make-hostile.sh OUT CATALOGUE_SQL
set -euo pipefail
out=$1
sql=$2
mkdir -p "$out"
cd "$out"

# ------------------------------------------------------------------ case files
good='{"arrangement": "FrmVKaZDSch", "m": "400", "n": "300",
 "forces": [["- Z", "2500", "50", "-30", "0"], ["X +", "600", "0", "0", "150"]],
 "loadType": LOADTYPE, "ticked": "all"}'
printf '%s\n' "${good/LOADTYPE/0}" > good.json
printf '%s\n' "${good/LOADTYPE/1}" > good-type1.json
for lt in 4294967297 1e10 -1 1.5 '"1"' true; do
  name=$(printf '%s' "$lt" | tr -c 'a-z0-9.-' '_')
  printf '%s\n' "${good/LOADTYPE/$lt}" > "loadtype-$name.json"
done
fields='["SRS", "25", "KS25-180", "RS25-180", "12000", "9000", "16", "34", "120", "30", "14",
 "55", "37,5", "19", "21", "180", "85", "40", "60", "15", "49", "35", "28", "15"]'
for t in 5 null '["K"]'; do
  name=$(printf '%s' "$t" | tr -c 'a-z0-9' '_')
  printf '{"arrangement": "FrmERoEESch", "n": "100", "forces": [["- Z", "1000", "0", "0", "0"]],
 "special": {"fields": %s, "bearings": "6", "type": %s}}\n' "$fields" "$t" > "special-type-$name.json"
done
# A case file far beyond any real one: 17 MiB of blanks around an object.
{ printf '{"arrangement": "FrmVKaZDSch"'; head -c $((17 * 1024 * 1024)) /dev/zero | tr '\0' ' '; printf '}\n'; } > huge.json

# ------------------------------------------------------------------ catalogues
catalogue() {  # NAME EXTRA_SQL: the demo catalogue with the extra statements applied
  rm -f "$1.db"
  { cat "$sql"; printf '%s\n' "$2"; } | sqlite3 -bail "$1.db"
}
for s in StdSiko SwSiko; do
  catalogue "safety-text-$s" "UPDATE Einstellung SET Wert = 'viel' WHERE Beschr = '$s';"
  catalogue "safety-null-$s" "UPDATE Einstellung SET Wert = NULL WHERE Beschr = '$s';"
  catalogue "safety-blob-$s" "UPDATE Einstellung SET Wert = x'00ff' WHERE Beschr = '$s';"
  catalogue "safety-empty-$s" "UPDATE Einstellung SET Wert = '' WHERE Beschr = '$s';"
  catalogue "safety-zero-$s" "UPDATE Einstellung SET Wert = '0' WHERE Beschr = '$s';"
  catalogue "safety-missing-$s" "DELETE FROM Einstellung WHERE Beschr = '$s';"
done
# An endless recursive view in place of a base table: sorting it never ends.
catalogue view-endless "DROP TABLE TLS_Basis;
CREATE VIEW TLS_Basis AS WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r)
  SELECT 'TLS' AS Serie, 12 AS Gr, 10.0 AS a1, 20.0 AS a2, 4 AS AnzR, 1000 AS C, 1000 AS Co,
         50.0 AS Ls, 10.0 AS D, 'N' AS TypR FROM r;"
catalogue view-plain "DROP TABLE TLS_Kassette;
CREATE VIEW TLS_Kassette AS SELECT * FROM TLK_Kassette;"
catalogue virtual-table "DROP TABLE TLS_Rollenschuh;
CREATE VIRTUAL TABLE TLS_Rollenschuh USING fts4(Serie, Gr, b2, h2, B, Best, KB1, Kh1, KBE, Kh3);"
# Real tables whose join is enormous (2000^3 rows of one size): the work budget.
catalogue join-enormous "WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r WHERE n < 2000)
INSERT INTO TLS_Basis SELECT 'TLS', 12, 10, 20, 4, 1000, 1000, 50, 10, 'N' FROM r;
WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r WHERE n < 2000)
INSERT INTO TLS_Kassette SELECT 'KD', 12, 10, 10, 10, 'X', 10, 10, 10, 10 FROM r;
WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r WHERE n < 2000)
INSERT INTO TLS_Rollenschuh SELECT 'RD', 12, 10, 10, 10, 'X', 10, 10, 10, 10 FROM r;"
# Fat rows whose sort would spill gigabytes: the memory limit of temporary storage.
catalogue sort-fat "WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r WHERE n < 40)
INSERT INTO TLS_Basis SELECT printf('%.*c', 200000, 'x'), 12, 10, 20, 4, 1000, 1000, 50, 10, 'N' FROM r;
WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r WHERE n < 40)
INSERT INTO TLS_Kassette SELECT printf('%.*c', 200000, 'y'), 12, 10, 10, 10, 'X', 10, 10, 10, 10 FROM r;
WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r WHERE n < 40)
INSERT INTO TLS_Rollenschuh SELECT printf('%.*c', 200000, 'z'), 12, 10, 10, 10, 'X', 10, 10, 10, 10 FROM r;"
# A catalogue in WAL mode, in a folder of its own (made read-only by the runner).
mkdir -p wal
catalogue wal/DBFN "PRAGMA journal_mode = WAL;" >/dev/null
# No table sets, or a negative number of them.
catalogue sets-zero "UPDATE Einstellung SET Wert = '0' WHERE Beschr IN ('FNTblAnz', 'SoTblAnz');"
catalogue sets-negative "UPDATE Einstellung SET Wert = '-2' WHERE Beschr = 'FNTblAnz';"
