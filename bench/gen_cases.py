#!/usr/bin/python3
"""Writes COUNT project files (.dvl) into DIR: laminar, turbulent, with fittings and
project texts, like the examples. Usage: gen_cases.py DIR COUNT"""
import os
import sys


def case(i):
    scale = 1 + (i % 997) / 1000.0
    bends = [0] * 6
    valves = [0] * 13
    kind = i % 4
    if kind == 0:  # laminar start case
        entries = [100 * scale, 1000, 1, 100, 0, 0, 0, 0.01]
    elif kind == 1:  # turbulent, straight pipe
        entries = [10000 * scale, 1000, 1, 50, 100, 0, 0, 0.01]
    elif kind == 2:  # turbulent with elevation, extra loss and fittings
        entries = [10000 * scale, 1000, 1, 50, 100, 5, 0.2, 0.05]
        bends[1] = 2
        valves[5] = 1
    else:  # many fittings
        entries = [25000 * scale, 998.2, 0.89, 80.9, 45, 3.5, 0.15, 0.045]
        bends = [0, 4, 2, 0, 1, 1]
        valves = [2, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1]
    lines = [repr(round(float(v), 6)).removesuffix(".0") for v in entries]
    lines += ['"case%05d.dvl"' % i, '"Cooling water, line %d"' % i, '"DN50"',
              '"Process engineering"', "#2026-12-07 09:30:00#"]
    lines += [str(n) for n in bends + valves]
    return "\r\n".join(lines) + "\r\n"


def main():
    folder, count = sys.argv[1], int(sys.argv[2])
    os.makedirs(folder, exist_ok=True)
    for i in range(count):
        with open(os.path.join(folder, "case%06d.dvl" % i), "w", newline="") as f:
            f.write(case(i))


main()
