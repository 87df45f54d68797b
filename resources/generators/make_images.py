#!/usr/bin/env python3
"""Draws the small pictures: cursors, action images, button glyphs, the red circle,
the tool-bar background and the icons. Each is drawn large and scaled down, so the
edges come out smooth with a soft alpha; the images, glyphs, circle and tool bar also
at larger sizes (name@2x, name@4x), which the game uses when it is scaled up."""

import math
import os

import numpy as np
from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.join(HERE, "..")
BIG = 256  # drawing canvas for every small picture
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

OUTLINE = (34, 34, 52, 255)
RED = (214, 44, 36, 255)
GREEN = (46, 160, 64, 255)
BLUE = (44, 100, 200, 255)
GOLD = (236, 180, 40, 255)
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def canvas():
    img = Image.new("RGBA", (BIG, BIG), (0, 0, 0, 0))
    return img, ImageDraw.Draw(img)


def downscale(img, size):
    """Premultiplied-alpha scaling, so transparent pixels do not bleed dark fringes."""
    a = np.asarray(img, np.float32) / 255
    rgb, alpha = a[..., :3] * a[..., 3:], a[..., 3]
    chans = [np.asarray(Image.fromarray(rgb[..., c], "F").resize((size, size), Image.LANCZOS))
             for c in range(3)]
    al = np.asarray(Image.fromarray(alpha, "F").resize((size, size), Image.LANCZOS))
    al = np.clip(al, 0, 1)
    out = np.stack(chans, -1) / np.maximum(al[..., None], 1e-6)
    res = np.concatenate([np.clip(out, 0, 1), al[..., None]], -1)
    return Image.fromarray(np.round(res * 255).astype(np.uint8), "RGBA")


def s(v):
    """Coordinates are written on a 16-unit grid."""
    return v * BIG / 16


def poly(d, pts, fill, width=0.9):
    d.polygon([(s(x), s(y)) for x, y in pts], fill=fill, outline=OUTLINE, width=int(s(width)))


def rounded(d, box, r, fill, width=0.9):
    d.rounded_rectangle([s(v) for v in box], radius=s(r), fill=fill, outline=OUTLINE,
                        width=int(s(width)))


def ellipse(d, box, fill, width=0.9):
    d.ellipse([s(v) for v in box], fill=fill, outline=OUTLINE, width=int(s(width)))


def text(d, centre, txt, size, fill):
    font = ImageFont.truetype(FONT, int(s(size)))
    d.text((s(centre[0]), s(centre[1])), txt, font=font, fill=fill, anchor="mm")


# --- pieces shared by the action images and the glyphs ------------------------------

def pencil(d, tip=(1.2, 14.8), length=15.5, width=4.2):
    """A pencil lying from the lower-left tip up to the right."""
    ang = math.radians(-45)
    ux, uy = math.cos(ang), math.sin(ang)
    nx, ny = -uy, ux
    tx, ty = tip

    def at(along, side):
        return (tx + ux * along + nx * side * width / 2, ty + uy * along + ny * side * width / 2)

    cone = 3.6
    poly(d, [at(length, -1), at(length, 1), at(length - 2.2, 1), at(length - 2.2, -1)],
         (236, 120, 140, 255))  # rubber end
    poly(d, [at(length - 2.2, -1), at(length - 2.2, 1), at(length - 3.4, 1), at(length - 3.4, -1)],
         (190, 190, 200, 255))  # ferrule
    poly(d, [at(length - 3.4, -1), at(length - 3.4, 1), at(cone, 1), at(cone, -1)], GOLD)
    poly(d, [at(cone, -1), at(cone, 1), at(0, 0)], (244, 214, 170, 255))
    poly(d, [at(1.4, -0.38), at(1.4, 0.38), at(0, 0)], (40, 40, 50, 255), width=0.3)


def eraser(d, corner=(1.5, 12.5), length=13.0, width=6.0):
    """An eraser block tilted up to the right; its working edge is at the lower left."""
    ang = math.radians(-40)
    ux, uy = math.cos(ang), math.sin(ang)
    nx, ny = -uy, ux
    cx, cy = corner

    def at(along, side):
        return (cx + ux * along - nx * side, cy + uy * along - ny * side)

    poly(d, [at(0, 0), at(length * 0.45, 0), at(length * 0.45, width), at(0, width)],
         (250, 246, 240, 255))
    poly(d, [at(length * 0.45, 0), at(length, 0), at(length, width), at(length * 0.45, width)],
         (70, 130, 210, 255))


def person(d, dx=0.0, dy=0.0, fill=BLUE, scale=1.0):
    def p(x, y):
        return (dx + 8 + (x - 8) * scale, dy + 8 + (y - 8) * scale)

    body = [p(2.5, 15.2), p(13.5, 15.2)]
    d.pieslice([s(v) for v in (p(2.5, 8.8)[0], p(2.5, 8.8)[1], p(13.5, 21.5)[0], p(13.5, 21.5)[1])],
               180, 360, fill=fill, outline=OUTLINE, width=int(s(0.9)))
    d.line([s(v) for v in (*body[0], *body[1])], fill=OUTLINE, width=int(s(0.9)))
    hx0, hy0 = p(4.8, 1.0)
    hx1, hy1 = p(11.2, 7.4)
    ellipse(d, (hx0, hy0, hx1, hy1), (248, 212, 180, 255))


def mountain(d, fill=RED):
    poly(d, [(0.6, 14.5), (6.2, 3.5), (9.8, 3.5), (15.4, 14.5)], fill)
    poly(d, [(4.9, 6.1), (6.2, 3.5), (9.8, 3.5), (11.1, 6.1), (9.6, 5.4), (8.2, 6.8),
             (6.8, 5.4)], (250, 250, 255, 255), width=0.5)


def play_triangle(d, fill=GREEN):
    poly(d, [(3.5, 1.8), (14.0, 8.0), (3.5, 14.2)], fill)


def pause_bars(d, fill=BLUE):
    rounded(d, (2.8, 2.0, 6.6, 14.0), 0.8, fill)
    rounded(d, (9.4, 2.0, 13.2, 14.0), 0.8, fill)


def help_mark(d):
    ellipse(d, (0.8, 0.8, 15.2, 15.2), BLUE)
    text(d, (8.0, 8.4), "?", 12.0, (255, 255, 255, 255))


def why_mark(d):
    # A lit bulb: the reason behind a move, apart from the help's question mark.
    d.line([s(1.6), s(6.6), s(3.0), s(6.6)], fill=GOLD, width=int(s(1.0)))
    d.line([s(13.0), s(6.6), s(14.4), s(6.6)], fill=GOLD, width=int(s(1.0)))
    d.line([s(2.9), s(1.7), s(4.0), s(2.8)], fill=GOLD, width=int(s(1.0)))
    d.line([s(13.1), s(1.7), s(12.0), s(2.8)], fill=GOLD, width=int(s(1.0)))
    poly(d, [(5.6, 10.4), (10.4, 10.4), (9.8, 12.2), (6.2, 12.2)], (255, 226, 110, 255), width=0.8)
    ellipse(d, (3.6, 1.6, 12.4, 10.8), (255, 214, 64, 255))
    ellipse(d, (5.6, 3.4, 7.8, 5.6), (255, 248, 214, 255), width=0.0)
    rounded(d, (5.8, 11.6, 10.2, 15.2), 0.8, (150, 156, 170, 255), width=0.8)
    d.line([s(6.0), s(13.4), s(10.0), s(13.4)], fill=OUTLINE, width=int(s(0.6)))


def record_mark(d):
    # A bar chart: the player's figures.
    rounded(d, (0.8, 1.2, 15.2, 14.8), 0.8, (252, 252, 246, 255))
    for x, top, col in ((3.0, 9.0, BLUE), (6.4, 5.4, GREEN), (9.8, 7.2, GOLD)):
        rounded(d, (x, top, x + 2.6, 12.6), 0.3, col, width=0.6)
    d.line([s(2.2), s(12.8), s(13.8), s(12.8)], fill=OUTLINE, width=int(s(0.8)))


def practice_mark(d):
    # A small grid with a pencil: working a technique on the side.
    rounded(d, (0.8, 0.8, 11.6, 11.6), 0.6, (252, 252, 246, 255))
    for v in (4.4, 8.0):
        d.line([s(v), s(1.2), s(v), s(11.2)], fill=(120, 120, 150, 255), width=int(s(0.5)))
        d.line([s(1.2), s(v), s(11.2), s(v)], fill=(120, 120, 150, 255), width=int(s(0.5)))
    pencil(d, tip=(6.0, 14.6), length=11.5, width=3.8)


def hint_mark(d):
    # A magnifying glass: where to look.
    d.line([s(9.6), s(9.6), s(14.4), s(14.4)], fill=OUTLINE, width=int(s(3.4)))
    d.line([s(9.8), s(9.8), s(14.0), s(14.0)], fill=(150, 100, 60, 255), width=int(s(2.0)))
    ellipse(d, (1.0, 1.0, 11.4, 11.4), (200, 230, 250, 255), width=1.3)
    ellipse(d, (3.2, 3.0, 5.8, 5.6), (255, 255, 255, 255), width=0.0)


def close_mark(d):
    ellipse(d, (0.8, 0.8, 15.2, 15.2), RED)
    w = int(s(2.2))
    d.line([s(4.8), s(4.8), s(11.2), s(11.2)], fill=(255, 255, 255, 255), width=w)
    d.line([s(4.8), s(11.2), s(11.2), s(4.8)], fill=(255, 255, 255, 255), width=w)


def replay_mark(d):
    # Resume: the play triangle set in a disc, so it reads apart from plain Play.
    ellipse(d, (0.8, 0.8, 15.2, 15.2), GREEN)
    poly(d, [(6.0, 4.2), (12.0, 8.0), (6.0, 11.8)], (255, 255, 255, 255), width=0.6)


def palette(d):
    ellipse(d, (0.8, 2.0, 15.2, 14.6), (236, 208, 160, 255))
    ellipse(d, (9.2, 9.0, 12.4, 12.2), (0, 0, 0, 0), width=0.7)
    for (x, y), col in zip([(3.0, 6.0), (6.6, 3.8), (10.4, 4.6), (3.8, 10.0)],
                           [RED, BLUE, GREEN, GOLD]):
        ellipse(d, (x, y, x + 2.8, y + 2.8), col, width=0.5)


def erase_memo(d):
    rounded(d, (1.5, 1.0, 12.5, 15.0), 0.8, (252, 252, 246, 255))
    for i, y in enumerate((4.0, 6.6, 9.2)):
        d.line([s(3.4), s(y), s(10.6 - i * 1.5), s(y)], fill=(120, 120, 150, 255), width=int(s(0.8)))
    w = int(s(2.0))
    d.line([s(8.0), s(8.2), s(14.8), s(15.0)], fill=RED, width=w)
    d.line([s(8.0), s(15.0), s(14.8), s(8.2)], fill=RED, width=w)


def check_mark(d):
    pts = [(1.8, 8.6), (5.6, 12.6), (14.2, 3.4)]
    d.line([v for p in pts for v in (s(p[0]), s(p[1]))], fill=OUTLINE, width=int(s(3.6)), joint="curve")
    d.line([v for p in pts for v in (s(p[0]), s(p[1]))], fill=GREEN, width=int(s(2.2)), joint="curve")


def change_user(d):
    person(d, dx=-2.6, dy=0.4, fill=(120, 150, 210, 255), scale=0.78)
    person(d, dx=2.6, dy=1.4, fill=BLUE, scale=0.78)


def larger(path, times):
    """The name of a picture drawn at `times` its size: 00.png -> 00@2x.png."""
    stem, ext = os.path.splitext(path)
    return f"{stem}@{times}x{ext}"


def save_small(draw_fn, path, size=16):
    """At its own size, and at twice and four times it for scaled windows and screens."""
    img, d = canvas()
    draw_fn(d)
    downscale(img, size).save(path)
    for times in (2, 4):
        downscale(img, size * times).save(larger(path, times))


# --- larger pictures ----------------------------------------------------------------

def maru(path, seed=8):
    """A red circle painted in one brush stroke: it thickens, thins and leaves a dry tail."""
    rng = np.random.default_rng(seed)
    n = 1024
    yy, xx = np.mgrid[0:n, 0:n].astype(np.float32)
    cx, cy = n / 2, n / 2
    r0 = n * 0.36
    ang = np.arctan2(yy - cy, xx - cx)
    rad = np.hypot(xx - cx, yy - cy)
    start = math.radians(-60)
    sweep = math.radians(345)
    alpha = np.zeros((n, n), np.float32)
    ragged = np.asarray(Image.fromarray(rng.random((48, 48)).astype(np.float32), "F")
                        .resize((n, n), Image.BICUBIC)) - 0.5
    # Two passes of angle let the stroke end overlap its start a little.
    for turn in (0, 1):
        a = (ang - start) % (2 * np.pi) + turn * 2 * np.pi
        u = a / sweep  # 0 at the brush's landing, 1 where it lifts
        inside = (u >= 0) & (u <= 1.0)
        width = n * (0.030 + 0.055 * np.clip(np.sin(np.clip(u, 0, 1) * np.pi), 0, 1) ** 0.6) * (1 - 0.5 * u**4)
        wobble = r0 * (1 + 0.035 * np.sin(u * 5.0 + 0.7) - 0.05 * u)
        dist = np.abs(rad - wobble)
        dist = dist + ragged * width * 0.35
        core = np.clip((width - dist) / (n * 0.006), 0, 1)
        # Dry-brush streaks along the stroke, growing towards its end.
        bristles = np.sin((rad - wobble) / width * 9 * np.pi + 3 * np.sin(u * 7))
        dry = np.clip(1 - np.maximum(u - 0.55, 0) * 2.2 * (bristles > 0.2), 0, 1)
        alpha = np.maximum(alpha, core * dry * inside)
    alpha *= 0.92 + 0.08 * rng.random((n, n))
    rgba = np.zeros((n, n, 4), np.float32)
    rgba[..., 0] = 216 / 255
    rgba[..., 1] = 20 / 255
    rgba[..., 2] = 28 / 255
    rgba[..., 3] = alpha
    img = Image.fromarray(np.round(rgba * 255).astype(np.uint8), "RGBA")
    downscale(img, 64).save(path)
    downscale(img, 256).save(larger(path, 4))


def toolbar(path, times=1):
    """Tool-bar background: a quiet silver-blue gradient with a light top edge."""
    w, h = 64 * times, 25 * times
    t = np.linspace(0, 1, h)[:, None]
    top = np.array([236, 240, 248], np.float32)
    bottom = np.array([178, 188, 208], np.float32)
    col = top + (bottom - top) * t[..., None]
    img = np.repeat(col, w, axis=1)
    img[:times] = [255, 255, 255]
    img[-times:] = [120, 128, 150]
    Image.fromarray(img.astype(np.uint8), "RGB").save(path if times == 1 else larger(path, times))


def app_icon(size):
    """Dawn sky in a rounded square, the red mountain, and a little grid of nine cells."""
    n = 1024
    t = np.linspace(0, 1, n)[:, None]
    top, bottom = np.array([30, 36, 92]), np.array([250, 170, 110])
    sky = np.zeros((n, n, 4), np.uint8)
    sky[..., :3] = (top + (bottom - top) * t[..., None] ** 1.3).astype(np.uint8)
    sky[..., 3] = 255
    img = Image.fromarray(sky, "RGBA")
    d = ImageDraw.Draw(img)
    peak_y, rim = 250, 60
    xs = np.arange(0, n + 1, 8)
    dx = np.maximum(np.abs(xs - n / 2) - rim, 0)
    ys = peak_y + 560 * (dx / 520) ** 0.75
    ridge = [(float(x), float(y)) for x, y in zip(xs, ys)]
    d.polygon(ridge + [(n, n), (0, n)], fill=(206, 42, 34, 255))
    snow = [(x, y) for x, y in ridge if y < peak_y + 110]
    teeth = []
    for i, (x, y) in enumerate(reversed(snow)):
        teeth.append((x, y + (40 if i % 4 < 2 else 90) * (0.3 + 0.7 * (y - peak_y) / 110)))
    d.polygon(snow + teeth, fill=(255, 244, 240, 255))
    # A 3x3 grid with one forced cell circled.
    cell = 100
    gx, gy = n // 2 - cell * 3 // 2, n - cell * 3 - 110
    d.rounded_rectangle([gx - 14, gy - 14, gx + cell * 3 + 14, gy + cell * 3 + 14], radius=30,
                        fill=(255, 255, 255, 240), outline=(34, 34, 52, 255), width=12)
    for i in range(1, 3):
        d.line([gx + i * cell, gy, gx + i * cell, gy + cell * 3], fill=(60, 60, 90, 255), width=8)
        d.line([gx, gy + i * cell, gx + cell * 3, gy + i * cell], fill=(60, 60, 90, 255), width=8)
    font = ImageFont.truetype(FONT, 80)
    for (c, r), digit in {(0, 0): "3", (2, 0): "8", (1, 1): "5", (0, 2): "1", (2, 2): "6"}.items():
        d.text((gx + c * cell + cell / 2, gy + r * cell + cell / 2 + 2), digit, font=font,
               fill=(40, 40, 80, 255), anchor="mm")
    d.ellipse([gx + 2 * cell + 10, gy + cell + 10, gx + 3 * cell - 10, gy + 2 * cell - 10],
              outline=(214, 20, 28, 255), width=16)
    mask = Image.new("L", (n, n), 0)
    ImageDraw.Draw(mask).rounded_rectangle([24, 24, n - 24, n - 24], radius=190, fill=255)
    img.putalpha(mask)
    return downscale(img, size)


def cursor_pen(path):
    # Hotspot: the pencil's point, at (1, 30).
    img, d = canvas()
    pencil(d, tip=(0.7, 15.2), length=16.5, width=4.0)
    downscale(img, 32).save(path)


def cursor_eraser(path):
    # Hotspot: the middle of the eraser's lower-left working edge, at (6, 25).
    img, d = canvas()
    eraser(d, corner=(5.0, 15.0), length=13.5, width=6.6)
    downscale(img, 32).save(path)


def main():
    act = os.path.join(RES, "images", "actions")
    gly = os.path.join(RES, "images", "glyphs")
    for folder in (act, gly, os.path.join(RES, "cursors")):
        os.makedirs(folder, exist_ok=True)
    actions = [palette, lambda d: eraser(d, corner=(4.6, 15.0), length=13.2, width=6.2),
               lambda d: pencil(d, tip=(1.0, 15.0), length=16.0, width=5.2), erase_memo, pause_bars,
               close_mark, replay_mark, play_triangle, lambda d: person(d), mountain, help_mark, why_mark,
               record_mark, practice_mark, hint_mark]
    for i, fn in enumerate(actions):
        save_small(fn, os.path.join(act, f"{i:02d}.png"))
    glyphs = {"select": lambda d: person(d), "play": play_triangle, "pause": pause_bars,
              "ok": check_mark, "change_user": change_user, "help": help_mark}
    for name, fn in glyphs.items():
        save_small(fn, os.path.join(gly, f"{name}.png"))
    cursor_pen(os.path.join(RES, "cursors", "PEN02.png"))
    cursor_eraser(os.path.join(RES, "cursors", "ERASER01.png"))
    maru(os.path.join(RES, "images", "maru.png"))
    toolbar(os.path.join(RES, "images", "toolbar.png"))
    toolbar(os.path.join(RES, "images", "toolbar.png"), 4)
    app_icon(64).save(os.path.join(RES, "images", "icon.png"))
    # The desktop's icon theme picks the size nearest its need; each is drawn at its own size.
    for size in ICON_SIZES:
        folder = os.path.join(RES, "desktop", "hicolor", f"{size}x{size}", "apps")
        os.makedirs(folder, exist_ok=True)
        app_icon(size).save(os.path.join(folder, "kumoji.png"))


if __name__ == "__main__":
    main()
