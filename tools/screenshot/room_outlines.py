#!/usr/bin/env python3
"""Measures the room outlines in a screenshot of the map: the side of the
room squares and their spacing, in screen pixels.

  room_outlines.py PNG X Y W H [--dpi DPI]

X Y W H is the map area in the screenshot. A room square is a horizontal run
of black pixels with another of the same length and start as many rows
below as it is long, less one (its top and bottom edges; text, links and
toolbar images rarely make that shape); the side is the commonest length of
such squares, the spacing the smallest distance between the left ends of
two of them. With --dpi,
the screen's resolution, the side must be 12 * S + 1 and the spacing 26 * S
pixels for S = DPI / 96 (one pixel either way for rounding), else the exit
status is 1."""
import argparse
import collections
import subprocess
import sys


def black_runs(png, x0, y0, w, h):
    raw = subprocess.run(["convert", png, "-crop", f"{w}x{h}+{x0}+{y0}", "+repage", "-depth", "8", "rgb:-"],
                         check=True, capture_output=True).stdout
    if len(raw) != w * h * 3:
        sys.exit(f"room_outlines.py: {png}: expected {w}x{h} pixels, got {len(raw) // 3}")
    runs = []  # (length, left x, row)
    for y in range(h):
        row = raw[y * w * 3:(y + 1) * w * 3]
        start = None
        for x in range(w + 1):
            dark = x < w and max(row[3 * x:3 * x + 3]) < 64
            if dark and start is None:
                start = x
            elif not dark and start is not None:
                runs.append((x - start, start, y))
                start = None
    return runs


def main():
    p = argparse.ArgumentParser()
    p.add_argument("png")
    p.add_argument("area", nargs=4, type=int)
    p.add_argument("--dpi", type=int)
    a = p.parse_args()
    runs = {r for r in black_runs(a.png, *a.area) if r[0] >= 8}
    squares = [r for r in runs if (r[0], r[1], r[2] + r[0] - 1) in runs]
    if not squares:
        sys.exit(f"room_outlines.py: no room outlines in {a.png}")
    side, count = collections.Counter(r[0] for r in squares).most_common(1)[0]
    lefts = sorted({r[1] for r in squares if r[0] == side})
    gaps = [b - a for a, b in zip(lefts, lefts[1:]) if b - a > side]
    spacing = min(gaps) if gaps else 0
    print(f"room squares {side} pixels wide ({count} of them), {spacing} pixels apart")
    if a.dpi is not None:
        scale = a.dpi / 96
        want_side, want_spacing = 12 * scale + 1, 26 * scale
        if abs(side - want_side) > 1 or abs(spacing - want_spacing) > 1:
            print(f"expected squares {want_side:g} pixels wide, {want_spacing:g} pixels apart")
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
