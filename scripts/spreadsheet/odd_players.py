#!/usr/bin/python3
"""Writes an import patch giving players of a database the values spreadsheets rewrite: floats of
any magnitude, dates, texts starting with "=", accented names, numbers kept as text. Slots 6 to
8 of the first two teams get the placeholders hostile_bytes.py replaces with bytes no import
writes: control characters, bytes after a NUL, NaN, a lone carriage return."""
import json
import random
import struct
import sys

NAMES = ["Élan Dubois", "=SUM(A1:A3)", "=1+1", "+44 Caller", "-Dash", "@Home", "Zoë O'Neil",
         "Šimon Žák", "Œuvre Ñandú", "José, \"Pepe\"", "#N/A", "Ünal Çelik", "1e5", "007",
         "Ärger  Doppel"]
DATES = ["12/09/1985", "01/02/1980", "25/12/1979", "1985-09-12", "5/6/1990", "12.09.1985"]
BOWLING = ["5/20", "3/45", "10/2", "0/0", "1/1"]
BATTING = ["101*", "007", "1e5", "45", "=99", "12/12"]


def odd_float(rng):
    while True:
        value = struct.unpack("<f", struct.pack("<I", rng.getrandbits(32)))[0]
        if value == value and abs(value) != float("inf"):
            return float("%.9g" % value)


def main():
    seed, teams = int(sys.argv[1]), int(sys.argv[2])
    rng = random.Random(seed)
    patch = []
    for team in range(1, teams + 1):
        for slot in range(1, 6):
            player = {"team": team, "slot": slot,
                      "realName": rng.choice(NAMES),
                      "dateOfBirth": rng.choice(DATES),
                      "bestBowlingODI": rng.choice(BOWLING),
                      "bestBattingODI": rng.choice(BATTING),
                      "bowlingAverageODI": odd_float(rng),
                      "battingAverageODI": rng.choice([-2.184714e-15, 0.1, 45.5, 1e30, odd_float(rng)])}
            patch.append(player)
    for team in range(1, min(teams, 2) + 1):
        for slot, name in ((6, "ZqCtlName1"), (7, "ZqNulName2"), (8, "ZqLoneCr03")):
            patch.append({"team": team, "slot": slot, "realName": name,
                          "bowlingAverageODI": {6: 1234.5, 7: 4321.25, 8: 0.5}[slot]})
    json.dump(patch, sys.stdout, ensure_ascii=False)


main()
