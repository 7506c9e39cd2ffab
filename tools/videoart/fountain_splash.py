#!/usr/bin/env python3
"""Draws the frames of the garden fountain's splash video as SVG files.

The video lies over the fountain in the garden picture (240x192 pixels whose
top-left corner is picture pixel (640, 380)); it is transparent except for the
water it adds: droplets running down the two arcs from the upper bowl, glints
climbing the jet and rings spreading where the arcs land. Every moving part
repeats within the frame count, so the video loops without a seam.

    fountain_splash.py OUTPUT_FOLDER   # writes frame_00.svg ... frame_23.svg
"""
import math
import os
import sys

WIDTH, HEIGHT = 240, 192
FRAMES = 24

# Quadratic curves of the two arcs, in video pixels: start, control, end.
ARCS = [((62, 86), (38, 92), (40, 176)), ((178, 86), (202, 92), (200, 176))]
JET = ((120, 84), (120, 8))
DROPS_PER_ARC = 6
GLINTS = 3


def bezier(curve, u):
    (x0, y0), (x1, y1), (x2, y2) = curve
    a, b, c = (1 - u) ** 2, 2 * (1 - u) * u, u * u
    return a * x0 + b * x1 + c * x2, a * y0 + b * y1 + c * y2


def frame_svg(frame):
    phase = frame / FRAMES
    parts = [
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{WIDTH}" height="{HEIGHT}" '
        f'viewBox="0 0 {WIDTH} {HEIGHT}">',
        '<defs><radialGradient id="drop"><stop offset="0" stop-color="#ffffff"/>'
        '<stop offset="0.6" stop-color="#d8f1ff" stop-opacity="0.9"/>'
        '<stop offset="1" stop-color="#9fd6f5" stop-opacity="0"/></radialGradient></defs>',
    ]
    # Landing rings: two per arc, half a loop apart, growing and fading.
    for curve in ARCS:
        cx, cy = curve[2]
        for k in range(2):
            t = (phase + k / 2) % 1.0
            rx, ry = 4 + 22 * t, 1.5 + 6 * t
            opacity = 0.85 * (1 - t)
            parts.append(
                f'<ellipse cx="{cx:.1f}" cy="{cy + 4:.1f}" rx="{rx:.1f}" ry="{ry:.1f}" '
                f'fill="none" stroke="#e9f7ff" stroke-width="1.6" opacity="{opacity:.2f}"/>')
    # Droplets running down the arcs, faster as they fall.
    for side, curve in enumerate(ARCS):
        for k in range(DROPS_PER_ARC):
            u = (k / DROPS_PER_ARC + phase + side * 0.08) % 1.0
            x, y = bezier(curve, u * u * 0.6 + u * 0.4)
            r = 2.2 + 1.3 * math.sin(math.pi * u)
            parts.append(f'<circle cx="{x:.1f}" cy="{y:.1f}" r="{r:.1f}" fill="url(#drop)"/>')
    # Glints climbing the jet.
    (jx, jy0), (_, jy1) = JET
    for k in range(GLINTS):
        u = (k / GLINTS + phase) % 1.0
        y = jy0 + (jy1 - jy0) * u
        sway = 2.5 * math.sin(2 * math.pi * (u + phase))
        opacity = math.sin(math.pi * u)
        parts.append(
            f'<ellipse cx="{jx + sway:.1f}" cy="{y:.1f}" rx="2.4" ry="6" fill="#ffffff" '
            f'opacity="{opacity:.2f}"/>')
    # A spray at the jet's top that breathes once per loop.
    spray = 0.5 + 0.5 * math.sin(2 * math.pi * phase)
    for k in range(5):
        angle = math.pi * (0.15 + 0.7 * k / 4)
        dist = 6 + 8 * spray
        x, y = jx - math.cos(angle) * dist, jy1 + 6 - math.sin(angle) * dist * 0.6
        parts.append(
            f'<circle cx="{x:.1f}" cy="{y:.1f}" r="1.6" fill="#ffffff" '
            f'opacity="{0.4 + 0.5 * spray:.2f}"/>')
    parts.append('</svg>')
    return '\n'.join(parts) + '\n'


def main():
    if len(sys.argv) != 2:
        sys.stderr.write('usage: fountain_splash.py OUTPUT_FOLDER\n')
        return 2
    os.makedirs(sys.argv[1], exist_ok=True)
    for frame in range(FRAMES):
        with open(os.path.join(sys.argv[1], f'frame_{frame:02d}.svg'), 'w') as out:
            out.write(frame_svg(frame))
    return 0


if __name__ == '__main__':
    sys.exit(main())
