#!/usr/bin/env python3
"""The English manual is the German one in English: the same chapters in the same order,
the same pictures at the same places and the same page breaks, and both are built into
their PDF with every chapter and every picture in it.

Usage: manuals_alike.py AnlFN.html AnlFN.pdf AnlFN_en.html AnlFN_en.pdf
(needs pdftotext and pdfimages from poppler-utils; exit 0 when the two agree)
"""
import re
import subprocess
import sys
import unicodedata

HEADING = re.compile(r'<h([1-3])([^>]*)>\s*([0-9.]*)\s*(.*?)</h\1>', re.S)
PICTURE = re.compile(r'<img src="([^"]+)"')


def outline(html):
    """(level, number, page break) of each heading, the pictures in order, the titles."""
    heads = [(m.group(1), m.group(3), 'page-break-before' in m.group(2)) for m in HEADING.finditer(html)]
    titles = [' '.join((m.group(3) + ' ' + m.group(4)).split()) for m in HEADING.finditer(html)]
    return heads, PICTURE.findall(html), titles


def pdf_text(pdf):
    """The text of a PDF, its ligatures (ﬁ, ﬀ) taken apart and its blanks made one."""
    text = subprocess.run(['pdftotext', pdf, '-'], check=True, capture_output=True, text=True).stdout
    return ' '.join(unicodedata.normalize('NFKC', text).split())


def pdf_pictures(pdf):
    """The pictures of a PDF: its images without their transparency masks."""
    rows = subprocess.run(['pdfimages', '-list', pdf], check=True, capture_output=True, text=True).stdout
    return sum(1 for row in rows.splitlines()[2:] if row.split()[2] == 'image')


def main(de_html, de_pdf, en_html, en_pdf):
    failures = []
    german, english = (outline(open(p, encoding='utf-8').read()) for p in (de_html, en_html))
    if german[0] != english[0]:
        failures.append(f'chapters differ:\n  German  {german[0]}\n  English {english[0]}')
    if german[1] != english[1]:
        failures.append(f'pictures differ:\n  German  {german[1]}\n  English {english[1]}')
    for (heads, pictures, titles), pdf in ((german, de_pdf), (english, en_pdf)):
        text = pdf_text(pdf)
        missing = [t for t in titles if unicodedata.normalize('NFKC', t) not in text]
        if missing:
            failures.append(f'{pdf} lacks the headings {missing}')
        # Each picture once; the drawn sketch of the axes is one of them.
        if pdf_pictures(pdf) != len(pictures):
            failures.append(f'{pdf} holds {pdf_pictures(pdf)} pictures, its source {len(pictures)}')
    for f in failures:
        print('FAIL:', f)
    print(f'{len(german[0])} headings, {len(german[1])} pictures in each manual' if not failures else '')
    return 1 if failures else 0


if __name__ == '__main__':
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
