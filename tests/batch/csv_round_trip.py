#!/usr/bin/env python3
"""The batch tool's --csv read back with Python's csv module gives the numbers of its JSON.

    csv_round_trip.py TARVELCALC-BATCH CATALOGUE

A case with two load cases, a duty cycle and a required life (every optional column) is
run as a single case, as a sweep over a load case's force and as a line of --cases, once
as JSON and once as CSV. Every figure of the CSV equals the JSON's "details" figure (the
same single-precision value), and rounded as the screen rounds it gives the JSON's text
("1.144 N", "2,5", "1.460 km"); the verdicts are the JSON's. Exit status 0 when all agree.
"""
import csv
import io
import json
import os
import struct
import subprocess
import sys
import tempfile

BATCH, CATALOGUE = sys.argv[1:3]
FAILURES = []

CASE = {
    "arrangement": "FrmVKaZDSch",
    "m": "400",
    "n": "300",
    "loadCases": [
        {"name": "Eilgang", "share": 30, "forces": [["- Z", "1200", "40", "-20", "0"]]},
        {"name": "Bearbeitung", "share": 70,
         "forces": [["- Z", "2500", "50", "-30", "0"], ["X +", "600", "0", "0", "150"]]},
    ],
    "duty": {"stroke": "500", "cyclesPerMinute": "10", "hoursPerDay": "8", "daysPerYear": "250"},
    "requiredLife": {"value": "5000", "unit": "h"},
    "ticked": "all",
}


def check(ok, what):
    if not ok:
        FAILURES.append(what)


def run(*args, stdin=None):
    p = subprocess.run([BATCH, *args, "--catalogue", CATALOGUE], input=stdin, capture_output=True, check=False)
    if p.returncode != 0:
        sys.exit(f"tarvelcalc-batch {' '.join(args)} ended with {p.returncode}: {p.stderr.decode()}")
    return p.stdout


def csv_rows(data):
    # UTF-8, CR LF line ends, RFC 4180: newline="" hands the line ends to the csv module.
    rows = list(csv.reader(io.StringIO(data.decode("utf-8"), newline="")))
    check(data.endswith(b"\r\n"), "lines end in CR LF")
    header = rows[0]
    return [dict(zip(header, r)) for r in rows[1:]], header


def german_number(text):
    """A number text of the screen ("1.460 km", "2,5", "21.803.302 km") as a float."""
    return float(text.split(" ")[0].replace(".", "").replace(",", "."))


def single(text):
    """A figure of the CSV as the single-precision value the program holds."""
    return struct.unpack("f", struct.pack("f", float(text)))[0]


def round_half_even(text, places=0):
    return round(single(text), places)  # Python rounds ties to the even neighbour


def compare(row, json_row, details, where):
    """One CSV row against the JSON's evaluation row and its details."""
    unit, size, order, co, c, load, safety, life, de, en = json_row
    check(row["unit"] == unit and row["size"] == size and row["order_no"] == order, f"{where}: names")
    check(row["verdict_de"] == de and row["verdict_en"] == en, f"{where}: verdicts")
    # The figures the JSON writes as numbers: the same values.
    for column, key in (("load_N", "staticLoad"), ("equivalent_load_N", "equivalentLoad"),
                        ("life_km", "lifeKm"), ("life_h", "lifeHours"), ("life_years", "lifeYears")):
        check(float(row[column]) == details[key], f"{where}: {column} {row[column]} != {details[key]}")
    # The ones the JSON writes as texts: the same, as the screen rounds them.
    check(float(row["static_rating_N"]) == german_number(co), f"{where}: static rating")
    check(float(row["dynamic_rating_N"]) == german_number(c), f"{where}: dynamic rating")
    check(round_half_even(row["load_N"]) == german_number(load), f"{where}: load text")
    check(round_half_even(row["safety"], 1) == german_number(safety), f"{where}: safety {row['safety']} {safety}")
    check(round_half_even(row["life_km"]) == german_number(life), f"{where}: life text")

def compare_sizing(rows, data, where):
    """The yes/no columns against the JSON's sizing and suggestion."""
    flag = {True: "1", False: "0", None: ""}
    for i, row in enumerate(rows):
        z = data["sizing"][i]
        for column, key in (("life_ok", "lifeOk"), ("safety_ok", "safetyOk"), ("passes", "passes"),
                            ("recommended", "recommended")):
            check(row[column] == flag[z[key]], f"{where} row {i}: {column} {row[column]} != {z[key]}")
    suggested = [(r["unit"], r["size"]) for r in rows if r["suggested"] == "1"]
    best = data["suggestion"]
    check(suggested == ([(best["unit"], best["gr"])] if best else []), f"{where}: suggestion")


def main():
    with tempfile.TemporaryDirectory() as tmp:
        path = os.path.join(tmp, "case.json")
        with open(path, "w", encoding="utf-8") as f:
            json.dump(CASE, f)

        # The single case.
        data = json.loads(run(path))
        rows, header = csv_rows(run(path, "--csv"))
        check(header[:3] == ["unit", "size", "order_no"], "single case header")
        check(len(rows) == len(data["evaluation"]) > 0, "one row per evaluated size")
        for i, row in enumerate(rows):
            compare(row, data["evaluation"][i], data["details"][i], f"single row {i}")
        compare_sizing(rows, data, "single")
        check(any(r["life_ok"] == "0" for r in rows) and any(r["life_ok"] == "1" for r in rows),
              "the required life parts the sizes")

        # A sweep over the second load case's first force: step and value lead each row.
        key = "loadCases.1.forces.0.1"
        lines = [json.loads(l) for l in run(path, "--sweep", f"{key}=2000:3000:500").splitlines()]
        rows, header = csv_rows(run(path, "--sweep", f"{key}=2000:3000:500", "--csv", "--jobs", "2"))
        check(header[:2] == ["step", key + "_N"], "sweep header")
        check(len(rows) == sum(len(l["evaluation"]) for l in lines), "sweep rows")
        at = 0
        for step, line in enumerate(lines):
            n = len(line["evaluation"])
            for i, json_row in enumerate(line["evaluation"]):
                row = rows[at + i]
                check(row["step"] == str(step + 1), f"step {step} number")
                check(float(row[key + "_N"]) == line["sweep"]["value"], f"step {step} value")
                compare(row, json_row, line["details"][i], f"step {step} row {i}")
            compare_sizing(rows[at:at + n], line, f"step {step}")
            at += n

        # --cases: the line leads.
        rows, header = csv_rows(run("--cases", "-", "--csv", stdin=(json.dumps(CASE) + "\n").encode()))
        check(header[0] == "line" and all(r["line"] == "1" for r in rows), "cases line column")
        check(len(rows) == len(data["evaluation"]), "cases rows")

    for f in FAILURES:
        print("FAIL:", f)
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
