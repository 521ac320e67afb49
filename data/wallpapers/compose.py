# SPDX-FileCopyrightText: 2026 vestibule developers
# SPDX-License-Identifier: LGPL-2.1-or-later
"""Writes the default wallpaper's SVG sources, one per screen ratio.

The picture is a sky of deep teal, blue and violet light over three soft waves. Each ratio
gets its own composition rather than one stretched square: the light is placed relative to
the canvas, while the waves keep their shape in units of the shorter side, so a wide screen
shows more of their swell and a tall one shows them as flat bands under a higher sky.

Run it with python3 after changing the design and commit the SVG files it writes next to
itself; the build installs those and renders PNG files from them, but never runs this script.
"""
import math
import os

# Ratio directory name, canvas size in the source (a common screen of that ratio). 5:3 is no
# ratio the lookup snaps to, but 1280x768 and 800x480 screens reduce to it exactly.
RATIOS = [
    ("4:3", 1600, 1200), ("5:4", 1280, 1024), ("3:2", 1920, 1280), ("16:10", 1920, 1200),
    ("16:9", 1920, 1080), ("21:9", 2520, 1080), ("32:9", 3840, 1080), ("5:3", 1800, 1080),
]

# Waves from back to front: baseline as a share of the height (landscape, portrait), rise per
# shorter side towards the right, swell (amplitude and wavelength in shorter sides, phase),
# fill, rim width and depth of the shading below the crest (in shorter sides).
WAVES = [
    (0.56, 0.64, -0.06, (0.09, 1.7, -0.1), "waveA", 0.0025, 0.30),
    (0.75, 0.78, -0.06, (0.08, 1.8, -0.5), "waveB", 0.0022, 0.22),
    (0.92, 0.91, -0.04, (0.05, 2.0, -0.9), "waveC", 0.0020, 0.12),
]


def num(value):
    text = "%.1f" % value
    if text in ("0.0", "-0.0"):
        return "0"
    return text[:-2] if text.endswith(".0") else text


def compose(width, height):
    landscape = width >= height
    short = min(width, height)
    out = [
        "<!-- SPDX-FileCopyrightText: 2026 vestibule developers -->",
        "<!-- SPDX-License-Identifier: LGPL-2.1-or-later -->",
        "<!-- Written by compose.py: change that script, not this file. -->",
        '<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
        'width="%d" height="%d" viewBox="0 0 %d %d">' % (width, height, width, height),
        "<defs>",
    ]

    def linear(name, x1, y1, x2, y2, stops):
        out.append('<linearGradient id="%s" gradientUnits="userSpaceOnUse" x1="%s" y1="%s" x2="%s" y2="%s">'
                   % (name, num(x1), num(y1), num(x2), num(y2)))
        for offset, colour, opacity in stops:
            alpha = "" if opacity == 1 else ' stop-opacity="%s"' % opacity
            out.append(' <stop offset="%s" stop-color="%s"%s/>' % (offset, colour, alpha))
        out.append("</linearGradient>")

    def glow(name, colour, opacity):
        out.append('<radialGradient id="%s"><stop offset="0" stop-color="%s" stop-opacity="%s"/>'
                   '<stop offset="0.5" stop-color="%s" stop-opacity="%.3g"/>'
                   '<stop offset="1" stop-color="%s" stop-opacity="0"/></radialGradient>'
                   % (name, colour, opacity, colour, opacity * 0.4, colour))

    linear("sky", 0, 0, width * 0.8, height, [(0, "#0f4a5e", 1), (0.45, "#1a2f6e", 1), (1, "#3b2070", 1)])
    glow("teal", "#39d0c0", 0.6)
    glow("blue", "#4a7cf0", 0.4)
    glow("violet", "#a060f0", 0.55)
    linear("waveA", 0, 0, width, 0, [(0, "#2b74b4", 1), (0.55, "#4f55c4", 1), (1, "#8150cc", 1)])
    linear("waveB", 0, 0, width, 0, [(0, "#173f7c", 1), (0.6, "#2b2a86", 1), (1, "#4e2a8e", 1)])
    linear("waveC", 0, 0, width, 0, [(0, "#0c1d42", 1), (0.6, "#16184c", 1), (1, "#27144a", 1)])
    linear("rim", 0, 0, width, 0,
           [(0, "#8ff0e6", 0), (0.3, "#a6f4ec", 0.8), (0.7, "#dacbff", 0.6), (1, "#dacbff", 0)])
    out.append("</defs>")
    out.append('<rect width="%d" height="%d" fill="url(#sky)"/>' % (width, height))

    def light(gradient, cx, cy, rx, ry, angle=0):
        turn = ' transform="rotate(%s %s %s)"' % (angle, num(cx), num(cy)) if angle else ""
        out.append('<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="url(#%s)"%s/>'
                   % (num(cx), num(cy), num(rx), num(ry), gradient, turn))

    if landscape:
        light("teal", 0.18 * width, 0.16 * height, 0.9 * short, 0.6 * short, -15)
        light("blue", 0.60 * width, 0.02 * height, 0.8 * short, 0.45 * short, 5)
        light("violet", 0.92 * width, 0.55 * height, 0.75 * short, 0.65 * short, -30)
    else:
        light("teal", 0.15 * width, 0.14 * height, 0.85 * width, 0.55 * height)
        light("blue", 0.95 * width, 0.32 * height, 0.65 * width, 0.40 * height)
        light("violet", 0.85 * width, 0.60 * height, 0.85 * width, 0.42 * height)

    for landscape_base, portrait_base, rise, swell, fill, rim, depth in WAVES:
        base = (landscape_base if landscape else portrait_base) * height
        amplitude, wavelength, phase = swell

        def crest(x):
            u = (x - width / 2) / short
            return base + short * (rise * u + amplitude * math.sin(2 * math.pi * u / wavelength + phase))

        # A Catmull-Rom curve through points a fifth of the shorter side apart, as Béziers.
        count = max(4, math.ceil(width / (0.22 * short)))
        xs = [-0.03 * width + i * 1.06 * width / count for i in range(-1, count + 2)]
        points = [(x, crest(x)) for x in xs]
        path = "M%s %s" % (num(points[1][0]), num(points[1][1]))
        for i in range(1, count + 1):
            p0, p1, p2, p3 = points[i - 1:i + 3]
            c1 = (p1[0] + (p2[0] - p0[0]) / 6, p1[1] + (p2[1] - p0[1]) / 6)
            c2 = (p2[0] - (p3[0] - p1[0]) / 6, p2[1] - (p3[1] - p1[1]) / 6)
            path += " C%s %s %s %s %s %s" % (num(c1[0]), num(c1[1]), num(c2[0]), num(c2[1]), num(p2[0]), num(p2[1]))
        shape = "%s V%s H%s Z" % (path, num(height * 1.05 + depth * height), num(points[1][0]))
        # A soft shadow on what lies behind, the wave, dusk deepening below its crest, a lit rim.
        out.append('<defs><path id="%sShape" d="%s"/></defs>' % (fill, shape))
        for step in range(12, 0, -1):
            out.append('<use xlink:href="#%sShape" fill="#040714" fill-opacity="0.03" transform="translate(0 %s)"/>'
                       % (fill, num(-step * short * 0.0035)))
        out.append('<use xlink:href="#%sShape" fill="url(#%s)"/>' % (fill, fill))
        for step in range(1, 17):
            out.append('<use xlink:href="#%sShape" fill="#040714" fill-opacity="0.025" transform="translate(0 %s)"/>'
                       % (fill, num(step * depth * short / 16)))
        out.append('<path d="%s" fill="none" stroke="url(#rim)" stroke-width="%s"/>' % (path, num(max(1.2, rim * short))))
    out.append("</svg>")
    return "\n".join(out) + "\n"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for ratio, width, height in RATIOS:
        a, b = ratio.split(":")
        for name, w, h in (("%sx%s" % (a, b), width, height), ("%sx%s" % (b, a), height, width)):
            with open(os.path.join(here, "nimb-default-%s.svg" % name), "w", encoding="utf-8") as svg:
                svg.write(compose(w, h))


if __name__ == "__main__":
    main()
