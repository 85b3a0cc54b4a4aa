#!/usr/bin/python3
"""The comparison for zeptor-cli curve --format csv: the least a Python user writes for
the same points with the fluids library. Reads a project file's entries, then for
flow = to * k / points (k = 1..points) the Reynolds number, friction_factor and the
pressure drop; writes flow and head as CSV. Usage: curve_python.py FILE.dvl POINTS [TO]"""
import math
import sys

from fluids.friction import friction_factor


def main():
    with open(sys.argv[1], encoding="utf-8") as f:
        v = [float(x) for x in f.read().split("\n")[:8]]
    flow0, rho, mu_cp, d_mm, length, elevation, extra, roughness = v
    points = int(sys.argv[2])
    to = float(sys.argv[3]) if len(sys.argv) > 3 else 1.5 * flow0
    d = d_mm / 1000
    area = math.pi / 4 * d * d
    mu = mu_cp / 1000
    out = sys.stdout
    out.write("flow [l/h],head [m]\n")
    for k in range(1, points + 1):
        flow = to * k / points
        velocity = flow / 3600000 / area
        re = rho * velocity * d / mu
        f = 64 / re if re < 2320 else friction_factor(Re=re, eD=roughness / d_mm)
        dp = f * length / d * rho * velocity ** 2 / 2 + rho * 9.81 * elevation + extra * 1e5
        out.write("%r,%r\n" % (flow, dp / (rho * 9.81)))


main()
