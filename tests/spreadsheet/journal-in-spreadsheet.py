#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Opens the sample journals (tests/data: the program's own bytes, compared by the core tests)
in LibreOffice Calc as the README tells a user to, German with ";" and ",", English with ","
and ".": the import dialog's defaults plus "detect special numbers", no column type chosen.
Checks the sheet: the columns in order, the time a date and time, elapsed_s and value
numbers, no value for an overload or an invalid reading.
Usage: journal-in-spreadsheet.py DATA_FOLDER"""
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

SKIP = 77
TABLE = "{urn:oasis:names:tc:opendocument:xmlns:table:1.0}"
OFFICE = "{urn:oasis:names:tc:opendocument:xmlns:office:1.0}"
SPACES = "{urn:oasis:names:tc:opendocument:xmlns:text:1.0}s"

# Separator and language of each form.
FORMS = [("journal-german.csv", 59, 1031), ("journal-english.csv", 44, 1033)]

RAW = ["DC  1.234 V  ", "DC -0.001 kV ", "OH 123456 Ohm", "AC  O.L  V,  ", 'gar\\x01"bage\\x5C']
# (time, utc, elapsed_s, value, unit, mode, status) of each row; channel 2 throughout.
ROWS = [
    ("2026-12-06T14:03:07", "06T13:03:07.120", 0, 1.234, "V", "DC", "ok"),
    ("2026-12-06T14:03:08", "06T13:03:08.119", 0.999, -0.001, "kV", "DC", "ok"),
    ("2026-12-06T14:03:08", "06T13:03:08.120", 1, 123456, "Ohm", "OH", "ok"),
    ("2026-12-06T14:04:08", "06T13:04:08.121", 61.001, None, "V,", "AC", "overload"),
    ("2026-12-07T14:03:07", "07T13:03:07.120", 86400, None, None, None, "invalid"),
]
HEADER = ["time", "utc", "elapsed_s", "channel", "value", "unit", "mode", "status", "raw"]


def text(element):  # runs of spaces are <text:s text:c="n"/>
    spaces = " " * int(element.get(SPACES[:-1] + "c", "1")) if element.tag == SPACES else ""
    inner = "".join(text(child) + (child.tail or "") for child in element)
    return spaces + (element.text or "") + inner


def cell(element):
    kind = element.get(OFFICE + "value-type")
    if kind == "date":  # to the second: Calc keeps hundredths
        return ("date", element.get(OFFICE + "date-value")[:19])
    if kind == "float":
        return ("float", float(element.get(OFFICE + "value")))
    return ("string", "".join(text(p) for p in element)) if kind else None


def sheet(fods):
    rows = []
    for row in ET.parse(fods).getroot().iter(TABLE + "table-row"):
        cells = []
        for c in row.iter(TABLE + "table-cell"):
            cells += [cell(c)] * int(c.get(TABLE + "number-columns-repeated", "1"))
        while cells and cells[-1] is None:
            cells.pop()
        rows.append(cells)
    return rows


def expected():
    rows = [[("string", name) for name in HEADER]]
    for (time, utc, elapsed, value, unit, mode, status), raw in zip(ROWS, RAW):
        string = lambda t: ("string", t) if t is not None else None
        rows.append([("date", time), ("string", f"2026-12-{utc}Z"),
                     ("float", elapsed), ("float", 2),
                     ("float", value) if value is not None else None,
                     string(unit), string(mode), string(status), string(raw)])
    return rows


def main():
    if not shutil.which("soffice"):
        print("skipped: soffice not installed")
        return SKIP
    data = sys.argv[1]
    failures = 0
    with tempfile.TemporaryDirectory() as home:  # a profile of its own: runs may overlap
        env = dict(os.environ, HOME=home)
        for name, separator, language in FORMS:
            # UTF-8, from line 1, no column types, quoted fields not forced to text, special
            # numbers (dates and times) detected.
            options = f"CSV:{separator},34,76,1,,{language},false,true"
            subprocess.run(["soffice", f"-env:UserInstallation=file://{home}/profile",
                            "--headless", "--norestore", f"--infilter={options}",
                            "--convert-to", "fods", "--outdir", home,
                            os.path.join(data, name)],
                           env=env, check=True, stdout=subprocess.DEVNULL)
            got = sheet(os.path.join(home, name[:-3] + "fods"))
            if got != expected():
                failures += 1
                print(f"{name} opens as:")
                for row, want in zip(got, expected()):
                    print(" ", row, "" if row == want else f"\n  expected {want}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
