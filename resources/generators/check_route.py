#!/usr/bin/env python3
"""Draws the 51 route marks over the route picture as the main window shows it
(stretched to 738x544), for a player at a given position, to check that the marks
follow the mountain's left slope. Usage: check_route.py OUT.png [POSITION [PICTURE]]"""

import os
import sys

import numpy as np
from PIL import Image, ImageDraw

from common import HUTS, ROUTE_HEIGHTS

HERE = os.path.dirname(os.path.abspath(__file__))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "route_check.png"
    position = int(sys.argv[2]) if len(sys.argv) > 2 else 12
    name = sys.argv[3] if len(sys.argv) > 3 else "AKAFUJI.jpg"
    pic = Image.open(os.path.join(HERE, "..", "pictures", name)).convert("RGB")
    w, h = 738, 544
    img = pic.resize((w, h), Image.BILINEAR)
    d = ImageDraw.Draw(img)
    step = float(np.float32(w / 750 * 552 / 51))
    unit = int(step * 2)
    x = 10.0
    for i in range(51):
        y = int(ROUTE_HEIGHTS[i] * (h / 493))
        tall = i in (0, 50) or i in HUTS
        top, height = (y - unit, 3 * unit) if tall else (y, unit)
        pen = (255, 0, 0) if i in (0, 50) else (255, 255, 255)
        width = 2 if i in (0, 50) else 1
        if i <= position:
            fill = (255, 0, 0)
            width = 1
            if i > 0:
                pen = (255, 255, 255)
        elif i in (0, 50):
            fill = (255, 255, 255)
        elif i in HUTS:
            fill = (0, 64, 0)
        else:
            fill = (0, 128, 0)
        d.rounded_rectangle([int(x), top, int(x) + int(step), top + height], radius=1,
                            fill=fill, outline=pen, width=width)
        x += step
    img.save(out)


if __name__ == "__main__":
    main()
