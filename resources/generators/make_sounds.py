#!/usr/bin/env python3
"""Synthesises the five game sounds as PCM WAV files: brass calls, a fanfare,
a step figure, a smattering of applause and a question-start chime."""

import os
import wave

import numpy as np

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "sounds")

A4 = 440.0
NOTE = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}


def freq(name):
    """'G4', 'C5', 'Bb4' -> Hz."""
    letter, rest = name[0], name[1:]
    shift = 0
    if rest.startswith("b"):
        shift, rest = -1, rest[1:]
    elif rest.startswith("#"):
        shift, rest = 1, rest[1:]
    semis = NOTE[letter] + shift + 12 * (int(rest) - 4)
    return A4 * 2 ** (semis / 12)


def brass_note(f, dur, rate, rng, loud=1.0, attack=0.035, release=0.07, vibrato=True):
    """One tongued brass note: harmonics that brighten with loudness, a small pitch
    scoop at the attack and a delayed vibrato."""
    n = int((dur + release) * rate)
    t = np.arange(n) / rate
    env = np.where(t < attack, (t / attack) ** 0.6, 1.0)
    env = env * (1 - 0.12 * np.clip((t - attack) / max(dur, 1e-3), 0, 1))
    env = env * np.where(t > dur, np.exp(-(t - dur) / (release / 3)), 1.0)
    env += 0.25 * np.exp(-((t - attack) / 0.02) ** 2)  # the tongue's accent
    vib = 0.0
    if vibrato and dur > 0.35:
        depth = 0.006 * np.clip((t - 0.18) / 0.3, 0, 1)
        vib = depth * np.sin(2 * np.pi * (5.3 + 0.2 * rng.random()) * t)
    scoop = -0.03 * np.exp(-t / 0.025)
    inst = f * (1 + vib + scoop)
    phase = 2 * np.pi * np.cumsum(inst) / rate
    out = np.zeros(n)
    k = 1
    while k * f < rate * 0.45 and k <= 16:
        # Brass: upper partials grow faster than the fundamental as the note gets louder.
        amp = (1.0 / k**0.9) * np.clip(env * loud, 0, 1.3) ** (1 + 0.35 * (k - 1))
        formant = 1 + 0.8 * np.exp(-((k * f - 1300) / 700) ** 2)
        out += amp * formant * np.sin(k * phase + rng.random() * 0.3)
        k += 1
    breath = rng.normal(0, 0.01, n) * env
    return (out + breath) * loud


def timpani(f, dur, rate, rng):
    n = int(dur * rate)
    t = np.arange(n) / rate
    body = np.sin(2 * np.pi * f * t) + 0.5 * np.sin(2 * np.pi * f * 1.5 * t) * np.exp(-t / 0.2)
    hit = rng.normal(0, 1, n) * np.exp(-t / 0.015)
    hit = np.convolve(hit, np.ones(6) / 6, mode="same")
    return (body * np.exp(-t / 0.45) * 0.9 + hit * 0.4)


def place(buf, sig, start, rate):
    i = int(start * rate)
    j = min(len(buf), i + len(sig))
    buf[i:j] += sig[: j - i]


def room(sig, rate, rng, tail=0.5, mix=0.18):
    """A short diffuse tail so the synthetic notes do not sound bone dry."""
    n = int(tail * rate)
    t = np.arange(n) / rate
    ir = rng.normal(0, 1, n) * np.exp(-t / (tail / 5))
    ir[: int(0.012 * rate)] = 0
    ir /= np.sqrt(np.sum(ir**2))
    size = 1 << int(np.ceil(np.log2(len(sig) + n)))
    wet = np.fft.irfft(np.fft.rfft(sig, size) * np.fft.rfft(ir, size), size)[: len(sig)]
    return sig + mix * wet


def finish(sig, total, rate, fade=0.05):
    n = int(round(total * rate))
    out = np.zeros(n)
    m = min(n, len(sig))
    out[:m] = sig[:m]
    f = int(fade * rate)
    out[-f:] *= np.linspace(1, 0, f)
    peak = np.max(np.abs(out))
    return out / peak * 0.9 if peak > 0 else out


def write_u8(path, sig, rate, rng):
    # Triangular dither keeps the quiet tails smooth at 8 bits.
    d = (rng.random(len(sig)) - rng.random(len(sig))) / 127
    data = np.clip(np.round((sig + d) * 127 + 128), 0, 255).astype(np.uint8)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(1)
        w.setframerate(rate)
        w.writeframes(data.tobytes())


def write_s16_stereo(path, left, right, rate):
    data = np.stack([left, right], axis=1)
    data = np.clip(np.round(data * 32767), -32768, 32767).astype("<i2")
    with wave.open(path, "wb") as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(data.tobytes())


def melody(notes, rate, rng, total, start=0.05, loud=1.0):
    """notes: (name or None for a rest, beats) with one beat = 1 of the given seconds."""
    buf = np.zeros(int((total + 1) * rate))
    t = start
    for name, dur in notes:
        if name:
            place(buf, brass_note(freq(name), dur * 0.9, rate, rng, loud), t, rate)
        t += dur
    return buf


def trumpet_call(rng, rate=11025):
    # A bugle call on the notes of the major chord, ending on a held top note.
    notes = [("G4", 0.16), ("C5", 0.16), ("E5", 0.16), ("G5", 0.42), ("E5", 0.16),
             ("G5", 0.16), ("C6", 1.25)]
    sig = melody(notes, rate, rng, 3.1)
    return finish(room(sig, rate, rng), 3.1, rate)


def fanfare(rng, rate=11025):
    total = 7.1
    buf = np.zeros(int((total + 1) * rate))
    beat = 0.2
    top = [("C5", 1), ("C5", 1), ("C5", 1), ("G5", 3), (None, 1), ("E5", 1), ("F5", 1),
           ("G5", 1), ("A5", 3), (None, 1), ("G5", 1), ("A5", 1), ("B5", 1), ("C6", 2),
           ("G5", 1), ("C6", 2), ("D6", 1), ("E6", 10)]
    mid = [("G4", 1), ("G4", 1), ("G4", 1), ("E5", 3), (None, 1), ("C5", 1), ("D5", 1),
           ("E5", 1), ("F5", 3), (None, 1), ("E5", 1), ("F5", 1), ("G5", 1), ("G5", 2),
           ("E5", 1), ("G5", 2), ("B5", 1), ("C6", 10)]
    low = [("C4", 3), ("C4", 3), (None, 1), ("C4", 3), ("F3", 3), (None, 1), ("C4", 3),
           ("G3", 3), ("G3", 3), ("C3", 10)]
    for voice, loud in ((top, 1.0), (mid, 0.7), (low, 0.55)):
        t = 0.05
        for name, beats in voice:
            if name:
                place(buf, brass_note(freq(name), beats * beat * 0.9, rate, rng, loud), t, rate)
            t += beats * beat
    # Timpani under the phrase ends and a roll into the last chord.
    for when, note in ((0.05, "C3"), (0.65, "G2"), (1.45, "C3"), (2.05, "F2"), (2.85, "G2")):
        place(buf, timpani(freq(note), 0.8, rate, rng) * 0.5, when, rate)
    roll = 3.45
    while roll < 6.2:
        place(buf, timpani(freq("C3"), 0.3, rate, rng) * 0.22 * (1 + (roll - 3.45) / 3), roll, rate)
        roll += 0.06
    place(buf, timpani(freq("C3"), 1.2, rate, rng) * 0.7, 6.2, rate)
    return finish(room(buf, rate, rng, tail=0.7, mix=0.22), total, rate, fade=0.6)


def trumpet_step(rng, rate=11025):
    # One step up the mountain: a quick rising scale that lands on a short held note.
    notes = [("C5", 0.14), ("D5", 0.14), ("E5", 0.14), ("F5", 0.14), ("G5", 0.3),
             ("E5", 0.14), ("G5", 0.9)]
    sig = melody(notes, rate, rng, 2.7)
    return finish(room(sig, rate, rng), 2.7, rate, fade=0.3)


def applause(rng, rate=11025):
    total = 3.1
    n = int(total * rate)
    buf = np.zeros(n)
    # A handful of people clapping, each at their own steady pace, fading out.
    for person in range(9):
        pace = rng.uniform(0.16, 0.26)
        t = rng.uniform(0.0, 0.35)
        colour = rng.uniform(900, 2200)
        gain = rng.uniform(0.5, 1.0)
        stop = rng.uniform(1.8, 3.0)
        while t < stop:
            m = int(0.03 * rate)
            tt = np.arange(m) / rate
            burst = rng.normal(0, 1, m) * np.exp(-tt / rng.uniform(0.005, 0.009))
            # A two-pole resonance gives each pair of hands its own hollow tone.
            r = 0.9
            w = 2 * np.pi * colour / rate
            y = np.zeros(m)
            for i in range(m):
                y[i] = burst[i] + 2 * r * np.cos(w) * (y[i - 1] if i else 0) - r * r * (y[i - 2] if i > 1 else 0)
            y = 0.6 * y / (np.max(np.abs(y)) + 1e-9) + 0.4 * burst / 3
            fade = 1 - max(0.0, (t - 1.6) / (stop - 1.4))
            place(buf, y * gain * max(fade, 0.15), t, rate)
            t += pace * rng.uniform(0.9, 1.1)
    return finish(buf, total, rate, fade=0.2)


def chimes(rng, rate=22050):
    total = 0.6
    n = int(total * rate)
    t = np.arange(n) / rate
    left, right = np.zeros(n), np.zeros(n)
    # Three bells, falling then rising, each with the inharmonic partials of a small bell.
    partials = [(1.0, 1.0, 0.9), (2.0, 0.5, 0.5), (2.76, 0.45, 0.35), (5.4, 0.25, 0.18),
                (8.93, 0.12, 0.1)]
    for start, note, pan in ((0.0, "E6", 0.35), (0.13, "C6", 0.65), (0.26, "G6", 0.5)):
        f = freq(note)
        tt = np.clip(t - start, 0, None)
        on = t >= start
        bell = np.zeros(n)
        for ratio, amp, decay in partials:
            if f * ratio < rate * 0.45:
                bell += amp * np.sin(2 * np.pi * f * ratio * tt) * np.exp(-tt / (decay * 0.5))
        strike = np.exp(-tt / 0.002) * rng.normal(0, 0.3, n)
        bell = (bell + strike) * on * (1 - np.exp(-tt / 0.001))
        left += bell * (1 - pan)
        right += bell * pan
    fade = int(0.12 * rate)
    for ch in (left, right):
        ch[-fade:] *= np.linspace(1, 0, fade)
    peak = max(np.max(np.abs(left)), np.max(np.abs(right)))
    return left / peak * 0.85, right / peak * 0.85


def main():
    os.makedirs(OUT, exist_ok=True)
    write_u8(os.path.join(OUT, "Trumpet001.wav"), trumpet_call(np.random.default_rng(1)), 11025,
             np.random.default_rng(101))
    write_u8(os.path.join(OUT, "fanfare001.wav"), fanfare(np.random.default_rng(2)), 11025,
             np.random.default_rng(102))
    write_u8(os.path.join(OUT, "Trumpet0003.wav"), trumpet_step(np.random.default_rng(3)), 11025,
             np.random.default_rng(103))
    write_u8(os.path.join(OUT, "Applause0001.wav"), applause(np.random.default_rng(4)), 11025,
             np.random.default_rng(104))
    left, right = chimes(np.random.default_rng(5))
    write_s16_stereo(os.path.join(OUT, "chimes.wav"), left, right, 22050)


if __name__ == "__main__":
    main()
