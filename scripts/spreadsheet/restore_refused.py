#!/usr/bin/python3
"""Puts the exported text back into every cell an import refused, so that importing the result
shows whether the cells it did not refuse were all recognised as unchanged. The saved file is
read as import reads it (UTF-16 with a byte order mark, UTF-8, else Windows-1252; comma or tab);
the result is UTF-8 with commas.
Usage: restore_refused.py EXPORTED.csv SAVED.csv IMPORT_ERRORS OUT.csv"""
import codecs
import csv
import io
import re
import sys

# Windows-1252 with its five unassigned bytes read as the code points of the same number.
codecs.register_error("same_code_point",
                      lambda error: (error.object[error.start:error.end].decode("latin-1"), error.end))


def saved_text(path):
    data = open(path, "rb").read()
    if data.startswith((codecs.BOM_UTF16_LE, codecs.BOM_UTF16_BE)):
        return data.decode("utf-16")
    try:
        return data.decode("utf-8-sig")
    except UnicodeDecodeError:
        return data.decode("cp1252", errors="same_code_point")


exported_path, saved_path, errors_path, out_path = sys.argv[1:5]
exported = list(csv.reader(open(exported_path, encoding="utf-8", newline="")))
text = saved_text(saved_path)
separator = "\t" if text.split("\n", 1)[0].count("\t") > text.split("\n", 1)[0].count(",") else ","
saved = list(csv.reader(io.StringIO(text, newline=""), delimiter=separator))
header = exported[0]
for line in open(errors_path, encoding="utf-8", errors="replace"):
    match = re.match(r"row (\d+), column ([^,]+), ", line)
    if match:
        row, column = int(match.group(1)) - 1, header.index(match.group(2))
        saved[row][column] = exported[row][column]
csv.writer(open(out_path, "w", encoding="utf-8", newline=""), lineterminator="\n").writerows(saved)
