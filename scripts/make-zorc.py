#!/usr/bin/env python3
"""Writes data/zorc.dat, the welding-parameter curves of the parameter plot.

Each curve is the steady state of a carbon-steel wire fed into the arc: the wire melts as fast
as it is fed, and its melting rate follows the electrode melting-rate relation

    melting rate = a * I + b * L * I^2

with I the welding current and L the electrode extension (stick-out). The first term is the arc
heating at the wire tip, the second the resistive heating of the extension. Written per unit of
the wire's cross-section A, for steel:

    volume melted per second  V = alpha * I + beta * L * I^2 / A_steel
    wire feed speed           WFS = V / A

alpha = 0.30 mm^3/(A s) and beta = 5.3e-5 mm^4/(A^2 s) are the usual literature values for
carbon-steel wire (Lesnewich's measurements, as carried in the welding physics texts); with them
a 0.035 in ER70S-6 wire at 3/8 in extension runs about 178 A at 300 in/min, and a 0.045 in wire
at 3/4 in about 250 A at 315 in/min, which is where manufacturers' tables put them.

A flux-cored wire carries the current in its steel sheath: the resistive term sees the sheath's
cross-section (taken as 55 % of the wire's), the arc term is the same.

Deposition rate = mass melted x deposit efficiency: solid GMAW wire 95 % (spatter), flux-cored
wire 85 % of a wire whose metre weighs 85 % of a solid one (flux and slag), submerged arc 99 %.

Each curve carries a one-line note (lineNote<k>), shown by the plot's "Notes" button: the wire,
the assumptions behind its numbers and what they are good for.

Run from anywhere: python3 scripts/make-zorc.py  (writes data/zorc.dat beside this folder).
The file is plain ASCII with CR LF line ends, as the program's other side files.
"""

import math
import os

ALPHA = 0.30      # mm^3 / (A s), arc heating
BETA = 5.3e-5     # mm^4 / (A^2 s), resistive heating of the extension
STEEL = 7.85e-3   # g / mm^3
INCH = 25.4       # mm
LB = 453.59237    # g
POINTS = 12       # points per curve (the program takes at most 25)

# What each set's wire is, for the curves' notes.
WIRES = {
    "GMAW_ER70S6": "solid carbon-steel wire",
    "FCAW_E71T1": "gas-shielded flux-cored carbon-steel wire",
    "SAW_EM12K": "solid carbon-steel wire under flux",
}

# process, section, classification, polarity, cored, deposit factor, curves:
#   (diameter word, diameter in inches, extension in inches, voltage, lowest A, highest A)
SETS = [
    ("GMAW", "GMAW_ER70S6", "ER70S-6", "DCEP", False, 0.95, [
        ('0.030"', 0.030, 0.375, 18, 60, 160),
        ('0.035"', 0.035, 0.375, 20, 80, 220),
        ('0.045"', 0.045, 0.750, 26, 140, 350),
        ('0.052"', 0.052, 0.750, 28, 180, 400),
    ]),
    ("FCAW", "FCAW_E71T1", "E71T-1C/1M", "DCEP", True, 0.85 * 0.85, [
        ('0.045"', 0.045, 0.750, 25, 150, 280),
        ('0.052"', 0.052, 0.750, 26, 180, 320),
        ('1/16"', 1 / 16, 1.000, 27, 220, 380),
    ]),
    ("SAW", "SAW_EM12K", "EM12K", "DCEP", False, 0.99, [
        ('3/32"', 3 / 32, 1.000, 30, 250, 500),
        ('1/8"', 1 / 8, 1.250, 32, 350, 650),
        ('5/32"', 5 / 32, 1.500, 34, 450, 800),
    ]),
]

CORED_SHEATH = 0.55  # share of a cored wire's cross-section that is steel sheath


def melting(diameter_in, extension_in, amps, cored):
    """Wire feed speed (in/min) and mass melted (g/s) at a current."""
    area = math.pi / 4 * (diameter_in * INCH) ** 2          # mm^2
    steel = area * (CORED_SHEATH if cored else 1.0)
    volume = ALPHA * amps + BETA * extension_in * INCH * amps ** 2 / steel   # mm^3/s
    wfs = volume / area / INCH * 60                         # in/min
    return wfs, volume * STEEL


def numbers(values, digits):
    return " ".join(f"{v:.{digits}f}" for v in values)


def curve(diameter_in, extension_in, low, high, cored, deposit):
    step = (high - low) / (POINTS - 1)
    amps = [low + i * step for i in range(POINTS)]
    wfs, rate = [], []
    for a in amps:
        speed, grams = melting(diameter_in, extension_in, a, cored)
        wfs.append(speed)
        rate.append(grams * deposit * 3600 / LB)            # lb/h
    return wfs, amps, rate


def note(section, caption, word, polarity, volt, extension, cored, deposit):
    """The one-line note of a curve."""
    sheath = f", the resistive heating in a sheath of {CORED_SHEATH:.0%} of the section" if cored else ""
    return (f"{word} {caption} {WIRES[section]}, {polarity}, {volt} V, electrode extension {extension.replace('in', ' in')}. "
            f"Feed speed against current from the electrode melting-rate relation "
            f"(arc term {ALPHA:.2f} mm3/(A s), resistive term {BETA:.1e} mm4/(A2 s){sheath}); "
            f"deposition rate at {deposit:.0%} of the wire melted. "
            f"Starting values for procedure trials: qualify the parameters on a test coupon.")


def main():
    lines = ["[general]", f"numProcess={len(SETS)}"]
    lines += [f"process{i}={s[0]}" for i, s in enumerate(SETS, 1)]
    for process, section, *_ in SETS:
        lines += ["", f"[{process}]", "numPlotType=1", f"plotTypeID1={section}"]
    for process, section, caption, polarity, cored, deposit, curves in SETS:
        lines += ["", f"[{section}]", f"caption={caption}", "numPlot=2",
                  "plotCaption1=Amperage", "plotLabelX1=Wire Feed Speed (in/min)", "plotLabelY1=Current (A)",
                  "plotCaption2=Deposition Rate", "plotLabelX2=Wire Feed Speed (in/min)",
                  "plotLabelY2=Deposition Rate (lb/h)", f"numLine={len(curves)}"]
        for k, (word, dia, ext, volt, low, high) in enumerate(curves, 1):
            wfs, amps, rate = curve(dia, ext, low, high, cored, deposit)
            extension = f"{ext:g}in".replace("0.375in", "3/8in").replace("0.75in", "3/4in").replace(
                "1.25in", "1-1/4in").replace("1.5in", "1-1/2in")
            lines += [f"lineLabel{k}={word} {polarity} {volt}Volt ESO {extension}",
                      f"lineNote{k}={note(section, caption, word, polarity, volt, extension, cored, deposit)}",
                      f"lineX{k}={numbers(wfs, 1)}",
                      f"lineY{k}_1={numbers(amps, 1)}",
                      f"lineY{k}_2={numbers(rate, 2)}"]
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "zorc.dat")
    with open(out, "w", encoding="ascii", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
