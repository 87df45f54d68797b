"""Small shared helpers for the asset generators: fixed-seed noise and colour ramps."""

import numpy as np
from PIL import Image

# Mark tops of the route, one per position, at the route picture's own 493-pixel height.
ROUTE_HEIGHTS = [
    397, 394, 391, 387, 384, 381, 378, 374, 371, 368, 365, 361, 358, 355, 351, 346, 342,
    338, 333, 329, 325, 320, 316, 312, 307, 303, 296, 289, 281, 274, 267, 260, 252, 245,
    238, 231, 223, 216, 209, 198, 187, 176, 165, 154, 144, 133, 122, 111, 100, 89, 78,
]
HUTS = [11, 18, 21, 24, 28, 32, 36, 39]


def resize_float(a, w, h):
    return np.asarray(Image.fromarray(a.astype(np.float32), mode="F").resize((w, h), Image.BICUBIC))


def fractal_noise(rng, w, h, base_x, base_y, octaves=5, persistence=0.5):
    """Value noise summed over octaves, roughly in 0..1. base_* is the coarsest cell count."""
    total = np.zeros((h, w), np.float32)
    amp, norm = 1.0, 0.0
    for o in range(octaves):
        gx, gy = max(2, int(base_x * 2**o)), max(2, int(base_y * 2**o))
        total += amp * resize_float(rng.random((gy, gx)), w, h)
        norm += amp
        amp *= persistence
    return total / norm


def noise_1d(rng, n, cells, octaves=4):
    out = np.zeros(n, np.float32)
    amp, norm = 1.0, 0.0
    for o in range(octaves):
        k = cells * 2**o
        pts = rng.random(k + 1)
        out += amp * np.interp(np.linspace(0, k, n), np.arange(k + 1), pts)
        norm += amp
        amp *= 0.5
    return out / norm


def ramp(stops, t):
    """Piecewise-linear colour ramp: stops are (t, (r, g, b)); t is an array."""
    ts = np.array([s[0] for s in stops], np.float32)
    cols = np.array([s[1] for s in stops], np.float32)
    t = np.clip(t, ts[0], ts[-1])
    return np.stack([np.interp(t, ts, cols[:, c]) for c in range(3)], axis=-1)


def smoothstep(e0, e1, x):
    t = np.clip((x - e0) / (e1 - e0), 0.0, 1.0)
    return t * t * (3 - 2 * t)


def save_rgb(arr, path, quality=None):
    img = Image.fromarray(np.clip(arr, 0, 255).astype(np.uint8), "RGB")
    if quality:
        img.save(path, quality=quality, optimize=True)
    else:
        img.save(path)
    return img
