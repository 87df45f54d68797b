#!/usr/bin/env python3
"""Paints the two JPEG pictures: the dawn-red mountain of the route map (AKAFUJI.jpg)
and the lake view of the player dialog (BISYUFUJIMI.jpg)."""

import os
import sys

import numpy as np
from PIL import Image, ImageDraw, ImageFilter

from common import ROUTE_HEIGHTS, fractal_noise, noise_1d, ramp, smoothstep

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "pictures")


def route_profile(width, scale):
    """Left-slope silhouette y(x) in picture pixels, passing just below the tops of the
    route marks so that the marks sit on the ridge; the right slope mirrors it."""
    step = np.float32(738 / 750 * 552 / 51)
    xs, ys = [], []
    for i, h in enumerate(ROUTE_HEIGHTS):
        centre = (10 + i * float(step) + float(step) / 2) * 750 / 738
        xs.append(centre)
        ys.append(h + 12)
    slope0 = (ys[1] - ys[0]) / (xs[1] - xs[0])
    xs = [-20.0] + xs
    ys = [ys[1] + slope0 * (-20 - xs[2]) + (ys[0] - ys[1])] + ys
    # Summit plateau with the small bumps of a crater rim, peak near (570, 80).
    rim_x = [566, 572, 579, 586, 593, 600]
    rim_y = [83, 80, 81, 79.5, 82, 85]
    xs += rim_x
    ys += rim_y
    left_end = xs[-1]
    mirror = left_end + 557.0
    px = np.arange(width) / scale
    prof = np.interp(px, xs, ys)
    right = px > left_end
    prof[right] = np.interp(mirror - px[right], xs, ys)
    # Soften the corners between the mark points, but keep the curve on the marks.
    k = int(9 * scale) | 1
    pad = np.pad(prof, k, mode="edge")
    prof = np.convolve(pad, np.ones(k) / k, mode="same")[k:-k]
    return prof


def akafuji(seed=5):
    rng = np.random.default_rng(seed)
    scale = 2
    W, H = 750 * scale, 493 * scale
    yy, xx = np.mgrid[0:H, 0:W].astype(np.float32)
    py, px = yy / scale, xx / scale

    # Dawn sky: deep indigo overhead, rose and amber at the horizon, glow at the lower left.
    sky = ramp([(0, (16, 22, 62)), (110, (52, 46, 108)), (230, (150, 76, 118)),
                (330, (226, 122, 104)), (420, (252, 176, 112)), (493, (255, 206, 140))], py)
    glow = np.exp(-(((px - 40) / 260) ** 2 + ((py - 430) / 150) ** 2))
    sky += glow[..., None] * np.array([60, 40, 10], np.float32)

    # Stratus clouds: stretched fractal noise, denser high up and in a band at mid height.
    n = fractal_noise(rng, W, H, 3, 9, octaves=6)
    n2 = fractal_noise(rng, W, H, 6, 20, octaves=4)
    field = 0.75 * n + 0.25 * n2
    band = 0.50 + 0.16 * np.exp(-((py - 60) / 70) ** 2) + 0.10 * np.exp(-((py - 250) / 40) ** 2)
    cover = smoothstep(band + 0.02, band + 0.16, field) * smoothstep(470, 300, py)
    # Light from below: a cloud is bright where the cloud beneath it thins out.
    below = np.roll(cover, -6 * scale, axis=0)
    lit = np.clip(0.55 + 1.6 * (cover - below), 0, 1) * (0.55 + 0.45 * smoothstep(0, 360, py))
    cloud_dark = ramp([(0, (48, 38, 78)), (250, (110, 64, 96)), (420, (170, 96, 92))], py)
    cloud_lit = ramp([(0, (190, 120, 150)), (200, (246, 150, 140)), (420, (255, 206, 160))], py)
    cloud = cloud_dark + (cloud_lit - cloud_dark) * lit[..., None]
    img = sky * (1 - cover[..., None] * 0.92) + cloud * (cover[..., None] * 0.92)

    # The mountain.
    prof = route_profile(W, scale)
    ridge = prof[None, :] * scale
    edge = smoothstep(-0.8, 0.8, yy - ridge)  # antialiased at the render scale
    depth = np.clip(py - prof[None, :], 0, None)

    apex_x, apex_y = 582.0, 30.0
    theta = np.arctan2(px - apex_x, py - apex_y)  # fan of gullies from the summit
    tn = (theta + np.pi) / (2 * np.pi)
    def fan(cells, octaves):
        t = noise_1d(rng, 4096, cells, octaves)
        t = (t - t.min()) / (t.max() - t.min())
        return t[np.clip((tn * 4095).astype(int), 0, 4095)]

    g = 0.6 * fan(90, 4) + 0.4 * fan(400, 2)
    rough = fractal_noise(rng, W, H, 12, 8, octaves=4)
    along = fractal_noise(rng, W, H, 40, 6, octaves=3)

    body = ramp([(70, (244, 96, 50)), (190, (226, 66, 40)), (320, (186, 44, 34)),
                 (440, (118, 28, 30))], py)
    # The rising sun lights the left face; the far side falls into shadow.
    side = np.clip((px - apex_x) / 420, -1, 1)
    light = 1.06 - 0.30 * np.clip(side, 0, 1) + 0.04 * np.clip(-side, 0, 1)
    light = light * (0.78 + 0.36 * g * (0.7 + 0.6 * along)) * (0.93 + 0.14 * rough)
    light = light + 0.10 * smoothstep(8, 0, depth) * (px < apex_x)
    mountain = body * light[..., None]

    # Snow lying in the gullies below the rim, longer in the deeper gullies.
    snow_len = 14 + 130 * np.clip((g - 0.4) / 0.6, 0, 1) ** 1.1 * (0.6 + 0.8 * along)
    snow = smoothstep(0.44, 0.56, g) * smoothstep(snow_len, snow_len * 0.5, depth)
    snow = np.maximum(snow, smoothstep(10, 4, depth) * 0.9) * smoothstep(240, 150, py)
    snow = np.clip(snow * (0.8 + 0.3 * rough), 0, 1)
    snow_col = np.array([255, 238, 234], np.float32) * (0.9 + 0.18 * light[..., None] / 1.1)
    mountain = mountain * (1 - snow[..., None]) + snow_col * snow[..., None]

    # Haze near the foot of the mountain, thicker on the right away from the trailhead.
    haze = smoothstep(330, 450, py) * (0.25 + 0.45 * smoothstep(150, 520, px))
    mist = fractal_noise(rng, W, H, 8, 6, octaves=4)
    haze = np.clip(haze * (0.6 + 0.8 * mist), 0, 0.85)
    mountain = mountain * (1 - haze[..., None]) + np.array([236, 164, 140], np.float32) * haze[..., None]
    img = img * (1 - edge[..., None]) + mountain * edge[..., None]

    # Dark wooded foothills with an uneven line of conifers across the bottom.
    def ridge_with_trees(base, wobble, cells, density, tmin, tmax):
        line = base + wobble * noise_1d(rng, W, cells)
        mask = Image.new("L", (W, H), 0)
        d = ImageDraw.Draw(mask)
        d.polygon([(0, H)] + [(x, line[x] * scale) for x in range(W)] + [(W - 1, H)], fill=255)
        x = 0.0
        while x < W:
            x += rng.uniform(0.4, 1.6) * density * scale
            xi = int(min(W - 1, x))
            h = rng.uniform(tmin, tmax) * scale
            w = h * rng.uniform(0.28, 0.4)
            y0 = line[xi] * scale + 2
            d.polygon([(x - w, y0), (x, y0 - h), (x + w, y0)], fill=255)
        return np.asarray(mask.filter(ImageFilter.GaussianBlur(0.7)), np.float32) / 255

    f1 = ridge_with_trees(450, 12, 4, 7, 3, 9)
    f2 = ridge_with_trees(470, 8, 7, 5, 5, 16)
    far = np.array([74, 34, 44], np.float32) * (0.9 + 0.2 * rough[..., None])
    near = np.array([22, 18, 30], np.float32) * (0.85 + 0.3 * rough[..., None])
    img = img * (1 - f1[..., None]) + far * f1[..., None]
    img = img * (1 - f2[..., None]) + near * f2[..., None]

    grain = rng.normal(0, 2.0, (H, W, 1)).astype(np.float32)
    img = np.clip(img + grain, 0, 255).astype(np.uint8)
    out = Image.fromarray(img, "RGB").resize((750, 493), Image.LANCZOS)
    out.save(os.path.join(OUT, "AKAFUJI.jpg"), quality=90, optimize=True)


def bisyufujimi(seed=11):
    rng = np.random.default_rng(seed)
    scale = 2
    W, H = 375 * scale, 252 * scale
    yy, xx = np.mgrid[0:H, 0:W].astype(np.float32)
    py, px = yy / scale, xx / scale
    horizon = 168.0

    def scene_sky(y):
        return ramp([(0, (150, 196, 232)), (60, (196, 222, 240)), (130, (238, 226, 214)),
                     (horizon, (250, 222, 196))], y)

    # Bright, quiet sky; the few thin clouds stay off the name label and the button bar.
    sky = scene_sky(py)
    c = fractal_noise(rng, W, H, 3, 10, octaves=5)
    calm = 1 - np.exp(-((py - 40) / 22) ** 2) * np.exp(-((px - 218) / 120) ** 4)
    calm = calm * smoothstep(25, 60, py)
    wisps = smoothstep(0.56, 0.72, c) * calm * 0.55
    sky = sky * (1 - wisps[..., None]) + np.array([255, 252, 248], np.float32) * wisps[..., None]

    # A broad cone, peak near (240, 80), seen across the lake.
    peak_x, peak_y = 240.0, 80.0
    dx = np.abs(px - peak_x)
    # Steep near the top, flattening towards the foot, with a slightly flat crater rim.
    cone = peak_y + 84 * (np.maximum(dx - 7, 0) / 200) ** 0.8 + 0.6 * np.sin(dx * 0.9) * (dx < 6)
    cone1 = cone[0]
    ridge = cone1[None, :] * scale
    edge = smoothstep(-0.8, 0.8, yy - ridge)
    depth = np.clip(py - cone1[None, :], 0, None)
    theta = np.arctan2(px - peak_x, py - (peak_y - 25))
    tn = (theta + np.pi) / (2 * np.pi)
    gully = noise_1d(rng, 2048, 70, octaves=3)[np.clip((tn * 2047).astype(int), 0, 2047)]
    body = ramp([(0, (98, 104, 150)), (40, (84, 92, 138)), (80, (96, 110, 140))], depth)
    shade = 1.0 - 0.18 * np.clip((px - peak_x) / 150, 0, 1) + 0.05 * np.clip((peak_x - px) / 150, 0, 1)
    body = body * (shade * (0.9 + 0.2 * gully))[..., None]
    snow_len = 10 + 22 * np.clip((gully - 0.4) / 0.4, 0, 1)
    snow = np.maximum(smoothstep(snow_len, snow_len * 0.6, depth) * smoothstep(0.38, 0.5, gully),
                      smoothstep(10, 5, depth))
    body = body * (1 - snow[..., None]) + np.array([246, 246, 252], np.float32) * snow[..., None]
    # Atmospheric haze towards the foot.
    haze = smoothstep(110, horizon, py) * 0.45
    body = body * (1 - haze[..., None]) + scene_sky(py) * haze[..., None]
    land = sky * (1 - edge[..., None]) + body * edge[..., None]

    # Far shore: low green hills with a dark tree line.
    shore = horizon - 3 - 4 * noise_1d(rng, W, 6) - 2 * noise_1d(rng, W, 40)
    s = smoothstep(-1, 1, yy - shore[None, :] * scale)
    land = land * (1 - s[..., None]) + np.array([58, 84, 66], np.float32) * s[..., None]

    # The lake: mirrored land, rippled and darkened, with soft horizontal glints.
    img = land.copy()
    lake = py >= horizon
    ry = (2 * horizon - py)
    ripple = 1.6 * np.sin(py * 1.7 + 0.5 * np.sin(px * 0.05)) * smoothstep(horizon, 252, py)
    ry = np.clip(ry + ripple * 0.4, 0, horizon - 0.5)
    rx = np.clip(px + ripple, 0, 374.5)
    iy = np.clip((ry * scale).astype(int), 0, H - 1)
    ix = np.clip((rx * scale).astype(int), 0, W - 1)
    reflection = land[iy, ix] * 0.78 + np.array([20, 34, 52], np.float32) * 0.22
    glints = smoothstep(0.6, 0.8, fractal_noise(rng, W, H, 4, 60, octaves=3)) * 0.25
    reflection = reflection * (1 - glints[..., None]) + np.array([250, 240, 230], np.float32) * glints[..., None]
    img[lake] = reflection[lake]

    # Near shore with reeds at the bottom.
    near = 238 + 6 * noise_1d(rng, W, 5)
    n = smoothstep(-1, 1, yy - near[None, :] * scale)
    img = img * (1 - n[..., None]) + np.array([46, 60, 40], np.float32) * n[..., None]
    reed = Image.new("L", (W, H), 0)
    d = ImageDraw.Draw(reed)
    for _ in range(70):
        x0 = rng.uniform(0, W)
        if 0.28 * W < x0 < 0.72 * W and rng.random() < 0.7:
            continue
        base = H - 1
        top = base - rng.uniform(18, 60) * scale
        lean = rng.uniform(-6, 6) * scale
        d.line([(x0, base), (x0 + lean, top)], fill=255, width=scale)
    r = np.asarray(reed, np.float32)[..., None] / 255 * 0.9
    img = img * (1 - r) + np.array([36, 46, 30], np.float32) * r

    img = np.clip(img + rng.normal(0, 1.2, (H, W, 1)), 0, 255).astype(np.uint8)
    out = Image.fromarray(img, "RGB").resize((375, 252), Image.LANCZOS)
    out.save(os.path.join(OUT, "BISYUFUJIMI.jpg"), quality=90, optimize=True)


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    akafuji()
    bisyufujimi()
    sys.exit(0)
