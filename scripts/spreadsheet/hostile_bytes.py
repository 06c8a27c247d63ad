#!/usr/bin/python3
"""Replaces the placeholders odd_players.py writes, in the database file given, with what only
another program stores: names holding CR, LF, tab and C1 bytes, a lone CR, bytes after a name's NUL, NaN
averages. The file keeps its length."""
import struct
import sys

REPLACEMENTS = [
    (b"ZqCtlName1", b"Ann\r\nLee\t\x81"),
    (b"ZqNulName2", b"Bo\x00b\x01\xff\r\n\t9"),
    (b"ZqLoneCr03", b"Cara\rMaeve"),
    (struct.pack("<f", 1234.5), struct.pack("<I", 0x7FC00123)),
    (struct.pack("<f", 4321.25), struct.pack("<I", 0xFF800001)),
]

path = sys.argv[1]
data = open(path, "rb").read()
size = len(data)
for placeholder, hostile in REPLACEMENTS:
    assert len(placeholder) == len(hostile)
    if placeholder not in data:
        sys.exit("hostile_bytes: no placeholder " + repr(placeholder))
    data = data.replace(placeholder, hostile)
assert len(data) == size
open(path, "wb").write(data)
