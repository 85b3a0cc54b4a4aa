#!/usr/bin/python3
"""The comparison for zeptor-cli json: reads each project file's 32 values and writes
one JSON line with velocity, Reynolds number, friction factor (fluids library) and
pressure drop. Usage: pressure_drop.py FILE..."""
import json
import math
import sys

from fluids.friction import friction_factor


def values(path):
    with open(path, encoding="utf-8") as f:
        return [line.strip() for line in f.read().split("\n")[:32]]


def main():
    out = sys.stdout
    for path in sys.argv[1:]:
        v = values(path)
        flow, density, viscosity, diameter, length, elevation, extra, roughness = (
            float(x) for x in v[:8])
        d = diameter / 1000                       # mm to m
        velocity = flow / 3600 / 1000 / (math.pi / 4 * d * d)  # l/h to m3/s, over the area
        reynolds = density * velocity * d / (viscosity / 1000)  # cP to Pa s
        f = friction_factor(Re=reynolds, eD=roughness / diameter)
        pipe_pa = f * length / d * density * velocity ** 2 / 2
        total_bar = pipe_pa / 1e5 + density * 9.81 * elevation / 1e5 + extra
        out.write(json.dumps({"file": path, "Velocity": velocity, "Reynolds": reynolds,
                              "FrictionFactor": f, "PipePressureDrop": pipe_pa / 1e5,
                              "TotalPressureDrop": total_bar}) + "\n")


main()
