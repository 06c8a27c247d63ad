#!/usr/bin/python3
"""Puts the exported text back into every cell an import refused, so that importing the result
shows whether the cells it did not refuse were all recognised as unchanged.
Usage: restore_refused.py EXPORTED.csv SAVED.csv IMPORT_ERRORS OUT.csv"""
import csv
import re
import sys

exported_path, saved_path, errors_path, out_path = sys.argv[1:5]
exported = list(csv.reader(open(exported_path, encoding="utf-8", newline="")))
saved = list(csv.reader(open(saved_path, encoding="utf-8-sig", newline="")))
header = exported[0]
for line in open(errors_path, encoding="utf-8", errors="replace"):
    match = re.match(r"row (\d+), column ([^,]+), ", line)
    if match:
        row, column = int(match.group(1)) - 1, header.index(match.group(2))
        saved[row][column] = exported[row][column]
csv.writer(open(out_path, "w", encoding="utf-8", newline=""), lineterminator="\n").writerows(saved)
