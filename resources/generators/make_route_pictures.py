#!/usr/bin/env python3
"""Paints the route pictures of the later routes, each the same mountain at another hour
with the route marks on its left slope: winter dawn with the snow turned pink
(BENIFUJI.jpg), evening with the sun going down behind the right shoulder (YUFUJI.jpg) and
a moonlit night (TSUKIYOFUJI.jpg)."""

import os
import sys

import numpy as np
from PIL import Image, ImageDraw, ImageFilter

from common import fractal_noise, noise_1d, ramp, smoothstep
from make_pictures import OUT, route_profile

W0, H0 = 750, 493
SCALE = 2
APEX_X, APEX_Y = 582.0, 30.0


class Scene:
    """The grids and the mountain's shape every picture starts from."""

    def __init__(self, seed):
        self.rng = np.random.default_rng(seed)
        self.W, self.H = W0 * SCALE, H0 * SCALE
        yy, xx = np.mgrid[0:self.H, 0:self.W].astype(np.float32)
        self.yy = yy
        self.py, self.px = yy / SCALE, xx / SCALE
        self.prof = route_profile(self.W, SCALE)
        self.edge = smoothstep(-0.8, 0.8, yy - self.prof[None, :] * SCALE)
        self.depth = np.clip(self.py - self.prof[None, :], 0, None)
        theta = np.arctan2(self.px - APEX_X, self.py - APEX_Y)
        self.tn = (theta + np.pi) / (2 * np.pi)
        self.gully = 0.6 * self.fan(90, 4) + 0.4 * self.fan(400, 2)
        self.rough = fractal_noise(self.rng, self.W, self.H, 12, 8, octaves=4)
        self.along = fractal_noise(self.rng, self.W, self.H, 40, 6, octaves=3)
        # -1 on the far left, 0 under the summit, 1 on the far right.
        self.side = np.clip((self.px - APEX_X) / 420, -1, 1)

    def fan(self, cells, octaves):
        """A value per ray from the summit: the gullies running down the slopes."""
        t = noise_1d(self.rng, 4096, cells, octaves)
        t = (t - t.min()) / (t.max() - t.min())
        return t[np.clip((self.tn * 4095).astype(int), 0, 4095)]

    def snow(self, reach, base_len, gully_len):
        """Snow cover: whole near the top, in the gullies further down, none below reach."""
        g = self.gully
        length = base_len + gully_len * np.clip((g - 0.35) / 0.65, 0, 1) * (0.6 + 0.8 * self.along)
        cover = smoothstep(length, length * 0.55, self.depth)
        cover = np.maximum(cover * smoothstep(0.30, 0.50, g), smoothstep(base_len, base_len * 0.5,
                                                                         self.depth))
        cover = cover * smoothstep(reach, reach - 80, self.py)
        return np.clip(cover * (0.85 + 0.3 * self.rough), 0, 1)

    def clouds(self, cells_x, cells_y, band_y, band_w, threshold):
        n = 0.75 * fractal_noise(self.rng, self.W, self.H, cells_x, cells_y, octaves=6) + \
            0.25 * fractal_noise(self.rng, self.W, self.H, 2 * cells_x, 2 * cells_y, octaves=4)
        band = threshold - 0.12 * np.exp(-((self.py - band_y) / band_w) ** 2)
        return smoothstep(band, band + 0.14, n)

    def tree_line(self, base, wobble, cells, density, tmin, tmax):
        line = base + wobble * noise_1d(self.rng, self.W, cells)
        mask = Image.new("L", (self.W, self.H), 0)
        d = ImageDraw.Draw(mask)
        d.polygon([(0, self.H)] + [(x, line[x] * SCALE) for x in range(self.W)] +
                  [(self.W - 1, self.H)], fill=255)
        x = 0.0
        while x < self.W:
            x += self.rng.uniform(0.4, 1.6) * density * SCALE
            xi = int(min(self.W - 1, x))
            h = self.rng.uniform(tmin, tmax) * SCALE
            w = h * self.rng.uniform(0.28, 0.4)
            y0 = line[xi] * SCALE + 2
            d.polygon([(x - w, y0), (x, y0 - h), (x + w, y0)], fill=255)
        return np.asarray(mask.filter(ImageFilter.GaussianBlur(0.7)), np.float32) / 255, line

    def save(self, img, name, grain=2.0):
        img = img + self.rng.normal(0, grain, (self.H, self.W, 1)).astype(np.float32)
        out = Image.fromarray(np.clip(img, 0, 255).astype(np.uint8), "RGB")
        out = out.resize((W0, H0), Image.LANCZOS)
        out.save(os.path.join(OUT, name), quality=90, optimize=True)


def blur(a, sigma):
    """A Gaussian blur of a float grid (PIL blurs 8-bit images only)."""
    k = int(3 * sigma) + 1
    x = np.arange(-k, k + 1, dtype=np.float32)
    w = np.exp(-(x / sigma) ** 2 / 2)
    w /= w.sum()
    a = np.apply_along_axis(lambda r: np.convolve(r, w, mode="same"), 1, a)
    return np.apply_along_axis(lambda c: np.convolve(c, w, mode="same"), 0, a)


def over(img, colour, alpha):
    a = alpha[..., None]
    return img * (1 - a) + np.asarray(colour, np.float32) * a


def benifuji(seed=23):
    """Winter dawn: the snow-clad mountain blushes rose where the first light reaches it."""
    s = Scene(seed)
    py, px = s.py, s.px
    sky = ramp([(0, (70, 92, 150)), (140, (132, 138, 190)), (260, (206, 168, 198)),
                (370, (246, 190, 180)), (493, (252, 214, 178))], py)
    sky = sky + (np.exp(-(((px - 60) / 300) ** 2 + ((py - 440) / 140) ** 2))[..., None] *
                 np.array([30, 20, 0], np.float32))
    wisps = s.clouds(4, 14, 150, 60, 0.62) * smoothstep(420, 250, py) * 0.7
    sky = over(sky, ramp([(0, (236, 178, 196)), (300, (255, 206, 200))], py), wisps)

    # The body under the snow: cold blue rock, darker towards the foot.
    rock = ramp([(70, (96, 104, 140)), (250, (70, 78, 118)), (440, (40, 44, 70))], py)
    rock = rock * (0.85 + 0.25 * s.gully * (0.7 + 0.6 * s.along))[..., None]
    snow = s.snow(reach=400, base_len=40, gully_len=230)
    # Rose light on the face towards the sunrise, lilac shade away from it and in the gullies.
    lit = np.clip(0.75 - 0.9 * np.clip(s.side, 0, 1) + 0.25 * np.clip(-s.side, 0, 1), 0, 1)
    lit = lit * (0.75 + 0.25 * s.gully) * (0.45 + 0.55 * smoothstep(460, 150, py))
    rose = np.array([255, 158, 172], np.float32)
    lilac = np.array([170, 164, 214], np.float32)
    snow_col = lilac + (rose - lilac) * lit[..., None]
    snow_col = snow_col * (0.92 + 0.12 * s.rough[..., None])
    mountain = rock * (1 - snow[..., None]) + snow_col * snow[..., None]
    # Morning mist at the foot.
    mist = smoothstep(320, 450, py) * (0.3 + 0.4 * fractal_noise(s.rng, s.W, s.H, 8, 6, octaves=4))
    mountain = over(mountain, (222, 196, 214), np.clip(mist, 0, 0.8))
    img = sky * (1 - s.edge[..., None]) + mountain * s.edge[..., None]

    # Snowy foothills and dark firs.
    hills, _ = s.tree_line(452, 10, 4, 8, 3, 8)
    near, _ = s.tree_line(472, 8, 7, 5, 6, 16)
    img = over(img, (84, 86, 124), hills * (0.9 + 0.1 * s.rough))
    img = over(img, (34, 38, 60), near)
    s.save(img, "BENIFUJI.jpg")


def yufuji(seed=31):
    """Evening: the sun sets behind the right shoulder and the mountain stands dark against
    a glowing sky, its ridge traced in light."""
    s = Scene(seed)
    py, px = s.py, s.px
    sun_x, sun_y = 700.0, 175.0
    sky = ramp([(0, (52, 34, 92)), (120, (130, 58, 102)), (230, (222, 102, 72)),
                (330, (250, 160, 70)), (493, (255, 196, 110))], py)
    r = np.sqrt((px - sun_x) ** 2 + (py - sun_y) ** 2)
    sky = sky + np.exp(-(r / 140) ** 2)[..., None] * np.array([40, 50, 40], np.float32)
    sky = over(sky, (255, 240, 190), smoothstep(16, 13, r))
    cover = s.clouds(3, 11, 250, 50, 0.60) * smoothstep(430, 300, py)
    # Clouds dark above, lit gold on their lower edges.
    below = np.roll(cover, -6 * SCALE, axis=0)
    rim = np.clip(0.4 + 1.8 * (cover - below), 0, 1)
    cloud = ramp([(0, (70, 40, 90)), (300, (150, 70, 80))], py)
    cloud = cloud + (np.array([255, 190, 110], np.float32) - cloud) * rim[..., None]
    sky = sky * (1 - cover[..., None] * 0.9) + cloud * cover[..., None] * 0.9

    body = ramp([(70, (88, 60, 98)), (250, (66, 44, 80)), (440, (40, 28, 54))], py)
    body = body * (0.82 + 0.3 * s.gully * (0.7 + 0.6 * s.along))[..., None] * \
        (0.95 + 0.1 * s.rough[..., None])
    # The last light catches the snow near the top and the edge of the ridge.
    snow = s.snow(reach=230, base_len=12, gully_len=90)
    warm = ramp([(60, (246, 176, 150)), (220, (200, 130, 130))], py)
    body = body * (1 - 0.85 * snow[..., None]) + warm * 0.85 * snow[..., None]
    glow = smoothstep(5, 0, s.depth) * (0.35 + 0.65 * np.clip(s.side + 0.3, 0, 1))
    body = over(body, (255, 190, 120), glow * 0.8)
    haze = smoothstep(340, 460, py) * 0.5
    body = over(body, (180, 96, 90), haze)
    img = sky * (1 - s.edge[..., None]) + body * s.edge[..., None]

    far, _ = s.tree_line(452, 12, 4, 7, 3, 9)
    near, _ = s.tree_line(472, 8, 7, 5, 5, 16)
    img = over(img, (70, 38, 54), far)
    img = over(img, (20, 12, 24), near)
    s.save(img, "YUFUJI.jpg")


def tsukiyofuji(seed=47):
    """A moonlit night: stars overhead, the full moon to the right, the snow shining blue and
    a few lights of the villages at the foot."""
    s = Scene(seed)
    py, px = s.py, s.px
    moon_x, moon_y = 676.0, 92.0
    sky = ramp([(0, (6, 10, 30)), (200, (16, 26, 62)), (380, (34, 50, 96)),
                (493, (52, 66, 112))], py)
    r = np.sqrt((px - moon_x) ** 2 + (py - moon_y) ** 2)
    sky = sky + np.exp(-(r / 120) ** 2)[..., None] * np.array([50, 60, 80], np.float32)
    # Stars: small points, fewer near the moon and the horizon.
    stars = np.zeros((s.H, s.W), np.float32)
    count = 700
    xs = s.rng.integers(0, s.W, count)
    ys = (s.rng.random(count) ** 1.6 * 360 * SCALE).astype(int)
    stars[ys, xs] = s.rng.uniform(0.3, 1.0, count)
    stars = blur(stars, 0.8)
    stars = np.clip(stars * 4.0, 0, 1) * smoothstep(30, 90, r) * smoothstep(380, 200, py)
    sky = over(sky, (236, 240, 255), stars)
    wisps = s.clouds(4, 16, 300, 40, 0.63) * smoothstep(430, 280, py) * 0.45
    sky = over(sky, (80, 94, 136), wisps)
    sky = over(sky, (250, 248, 232), smoothstep(24, 21, r))
    # The moon's seas, faintly.
    seas = fractal_noise(s.rng, s.W, s.H, 40, 40, octaves=3)
    sky = over(sky, (214, 210, 196), smoothstep(21, 18, r) * smoothstep(0.5, 0.7, seas) * 0.5)

    body = ramp([(70, (40, 52, 88)), (250, (28, 38, 70)), (440, (14, 20, 40))], py)
    body = body * (0.8 + 0.35 * s.gully * (0.7 + 0.6 * s.along))[..., None]
    snow = s.snow(reach=300, base_len=30, gully_len=170)
    # Moonlight from the right: the right face shines, the left stays in soft shade.
    lit = np.clip(0.55 + 0.45 * s.side, 0.15, 1) * (0.75 + 0.25 * s.gully)
    snow_col = ramp([(0, (150, 170, 214)), (300, (110, 130, 180))], py) * \
        (0.6 + 0.55 * lit[..., None])
    body = body * (1 - snow[..., None]) + snow_col * snow[..., None]
    body = over(body, (40, 54, 92), smoothstep(340, 460, py) * 0.5)
    img = sky * (1 - s.edge[..., None]) + body * s.edge[..., None]

    far, far_line = s.tree_line(452, 12, 4, 7, 3, 9)
    near, near_line = s.tree_line(472, 8, 7, 5, 5, 16)
    img = over(img, (18, 24, 44), far)
    # Village lights between the two tree lines.
    lights = np.zeros((s.H, s.W), np.float32)
    for _ in range(60):
        x = int(s.rng.uniform(0, s.W - 1))
        top = far_line[x] * SCALE + 6
        bottom = near_line[x] * SCALE - 4
        if bottom <= top:
            continue
        y = int(s.rng.uniform(top, bottom))
        lights[y, x] = s.rng.uniform(0.5, 1.0)
    lights = blur(lights, 1.2)
    img = over(img, (255, 208, 130), np.clip(lights * 6.0, 0, 1))
    img = over(img, (6, 8, 18), near)
    s.save(img, "TSUKIYOFUJI.jpg", grain=1.5)


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    benifuji()
    yufuji()
    tsukiyofuji()
    sys.exit(0)
