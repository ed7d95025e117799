#!/usr/bin/env python3
"""Checks the English text table src/resources/texts_en.tsv against the German one.

Both files hold lines `id<TAB>"text"` (and configured values `@name<TAB>"text"`); lines
starting with # are comments. The English file must hold every entry of the German file
exactly once and in the same order, with the same placeholders %1..%9, the same configured
values ${name}, the same number of line breaks and the same blanks at both ends (texts are
glued together in places). Where the German table already carries the English text of a
German one (the English report texts), the English file must use exactly that text, and it
must keep the English text itself unchanged. No English text may hold an umlaut or sharp s,
except where the German text is a name.

Usage: tools/check-texts-en.py [REPO_ROOT]   (exit 0 when all is well, 1 with the ids at fault)
"""
import re
import sys
from pathlib import Path

# Texts that keep their umlaut or sharp s in English, and why.
UMLAUT_EXCEPTIONS = {
    "@street": "the maker's postal address (Industriestraße) is a name, written as on the letterhead",
}

# Fragments that are glued to other texts: the English joint needs a blank where the
# German one has none, or the other way round.
BLANK_EXCEPTIONS = {
    "227": "German \"- und Schienen\" joins \"Kassetten\"; English \" and rails\" (113) needs its blank",
    "228": "German \"abstand zu gering!\" closes a compound; English \" too narrow!\" (114) is a word",
    "335": "German starts with the ordinal dot (\"2. Lagerreihe\"); English \"row 2 is ...\" with a blank",
}

# Texts laid out line by line for a terminal, each language wrapped on its own.
LINE_BREAK_EXCEPTIONS = {
    "1800": "the batch tool's usage text, wrapped at 80 columns in each language",
    "1801": "the catalogue tool's usage text, wrapped at 80 columns in each language",
}

# German id -> id of its English text in the German table (used by the English report).
PAIRS = {
    **{g: g + 23 for g in range(124, 139)},   # report labels 124..138 -> 147..161
    139: 163, 140: 162,                       # the English static/dynamic stand swapped
    **{g: g + 23 for g in range(141, 145)},   # 141..144 -> 164..167
    145: 146, 169: 172,
    204: 159, 205: 160, 206: 161, 207: 162, 208: 163,
    209: 164, 210: 165, 211: 166, 212: 167, 350: 159, 351: 160,
    **{g: g - 108 for g in range(213, 219)},  # arrangement names -> 105..110
    **{g: g - 114 for g in range(225, 231)},  # verdict parts -> 111..116
    **{g: g - 361 for g in range(515, 520)},  # force table headings -> 154..158
    **{g: g + 3 for g in range(1300, 1303)},
    **{g: g + 1 for g in range(1324, 1341, 2)},
    **{g: g + 1 for g in range(1366, 1375, 2)},
    1312: 1333, 1313: 1335, 1314: 1337,
    1004: 1005, 1540: 1541, 1543: 1544, 1545: 1546, 1547: 1548, 1549: 1550,
    1551: 1552, 1553: 1554, 1557: 1558, 1561: 1562,
    **{g: g + 1 for g in range(1602, 1616, 2) if g != 1608},  # the evaluation's charts
    **{g: g + 1 for g in range(1700, 1724, 2)}, 1728: 1729,
}

# Texts that are no words: configured values, blanks, place holders "#", symbols, symbol
# labels, links and colour values. They stay exactly as in texts.tsv.
KEPT = {118, 119, 120, 122, 170, 173, 174, 175, 177, 178, 237, 239, 240, 289, 378, 379, 380,
        522, 523, 524, 525, 526, 527, 530, 598, 599, 603, 700, 701, 702, 703, 900, 1001, 1556,
        1724}

LINE = re.compile(r'^(\d+|@[a-z]+)\t"(.*)"$')
PLACEHOLDER = re.compile(r"%[1-9]")
CONFIG_REF = re.compile(r"\$\{[a-z]+\}")
UMLAUTS = re.compile("[äöüÄÖÜß]")


def read_table(path, problems):
    """The entries of a text table in file order: list of (key, text)."""
    entries, seen = [], set()
    for number, line in enumerate(path.read_text(encoding="utf-8").split("\n"), 1):
        if not line or line.startswith("#"):
            continue
        m = LINE.match(line)
        if not m:
            problems.append(f"{path.name}:{number}: not a line id<TAB>\"text\"")
            continue
        key, text = m.group(1), m.group(2)
        if key in seen:
            problems.append(f"{path.name}: id {key} appears more than once")
        seen.add(key)
        entries.append((key, text))
    return entries


def blanks(text):
    return (len(text) - len(text.lstrip(" ")), len(text) - len(text.rstrip(" ")))


def check(root):
    problems = []
    german_entries = read_table(root / "src/resources/texts.tsv", problems)
    english_entries = read_table(root / "src/resources/texts_en.tsv", problems)
    de, en = dict(german_entries), dict(english_entries)

    missing = [k for k, _ in german_entries if k not in en]
    extra = [k for k, _ in english_entries if k not in de]
    if missing:
        problems.append("missing in texts_en.tsv: " + ", ".join(missing))
    if extra:
        problems.append("not in texts.tsv: " + ", ".join(extra))
    common_de = [k for k, _ in german_entries if k in en]
    common_en = [k for k, _ in english_entries if k in de]
    if common_de != common_en:
        first = next(i for i, (a, b) in enumerate(zip(common_de, common_en)) if a != b)
        problems.append(f"order differs from texts.tsv at id {common_en[first]} (expected {common_de[first]})")

    for key in common_de:
        g, e = de[key], en[key]
        if sorted(PLACEHOLDER.findall(g)) != sorted(PLACEHOLDER.findall(e)):
            problems.append(f"id {key}: placeholders {sorted(PLACEHOLDER.findall(g))} in German, "
                            f"{sorted(PLACEHOLDER.findall(e))} in English")
        if sorted(CONFIG_REF.findall(g)) != sorted(CONFIG_REF.findall(e)):
            problems.append(f"id {key}: configured values differ from the German text")
        if key not in LINE_BREAK_EXCEPTIONS and g.count("\\n") != e.count("\\n"):
            problems.append(f"id {key}: {g.count(chr(92) + 'n')} line breaks in German, {e.count(chr(92) + 'n')} in English")
        if key not in BLANK_EXCEPTIONS and blanks(g) != blanks(e):
            problems.append(f"id {key}: leading/trailing blanks {blanks(g)} in German, {blanks(e)} in English")
        if key not in UMLAUT_EXCEPTIONS and UMLAUTS.search(e):
            problems.append(f"id {key}: German letters in the English text: {e!r}")

    for german_id, english_id in PAIRS.items():
        g, e = str(german_id), str(english_id)
        if g in en and e in de and en[g] != de[e]:
            problems.append(f"id {g}: English text {en[g]!r} is not that of id {e}, {de[e]!r}")
        if e in en and e in de and en[e] != de[e]:
            problems.append(f"id {e}: the English text {de[e]!r} of texts.tsv was changed to {en[e]!r}")
    for kept in map(str, KEPT):
        if kept in en and kept in de and en[kept] != de[kept]:
            problems.append(f"id {kept}: must stay {de[kept]!r}, is {en[kept]!r}")
    return problems, len(english_entries)


def main():
    root = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent
    problems, count = check(root)
    for p in problems:
        print("check-texts-en:", p)
    if problems:
        print(f"check-texts-en: {len(problems)} problem(s)")
        return 1
    print(f"check-texts-en: {count} entries agree with texts.tsv")
    return 0


if __name__ == "__main__":
    sys.exit(main())
