#!/usr/bin/env python3
"""Synthesise the game's three sound effects: Go1.wav, Go2.wav and Hurrah.wav.

Usage: make-sounds.py [OUTPUT_FOLDER]   (default: the assets folder of the project)

Standard library only, with a fixed random seed, so every run writes the same files.
"""

import argparse
import math
import random
import struct
import sys
import wave
from pathlib import Path

RATE = 22050
PEAK = 10 ** (-3 / 20)  # -3 dBFS leaves headroom for the sound server's mixing
TAU = 2 * math.pi


def silence(seconds):
    return [0.0] * int(round(seconds * RATE))


def mix(dest, src, start=0.0, gain=1.0):
    """Adds src into dest from start seconds on, growing dest when src runs past its end."""
    offset = int(round(start * RATE))
    if offset + len(src) > len(dest):
        dest.extend([0.0] * (offset + len(src) - len(dest)))
    for i, v in enumerate(src):
        dest[offset + i] += gain * v
    return dest


def decaying_tone(freq, seconds, tau, partials=((1.0, 1.0),), attack=0.002):
    """Partials are (frequency ratio, amplitude); the attack ramp avoids a click at the onset."""
    n = int(round(seconds * RATE))
    out = []
    for i in range(n):
        t = i / RATE
        env = math.exp(-t / tau) * min(1.0, t / attack)
        out.append(env * sum(a * math.sin(TAU * freq * r * t) for r, a in partials))
    return out


def lowpass(samples, cutoff):
    a = 1.0 - math.exp(-TAU * cutoff / RATE)
    y = 0.0
    out = []
    for x in samples:
        y += a * (x - y)
        out.append(y)
    return out


def bandpass(samples, low, high):
    return [h - l for h, l in zip(lowpass(samples, high), lowpass(samples, low))]


def noise(rng, seconds):
    return [rng.uniform(-1.0, 1.0) for _ in range(int(round(seconds * RATE)))]


def finish(samples, fade_in=0.003, fade_out=0.02):
    """Fades both ends so playback starts and stops without a click, then normalises to the target peak."""
    out = list(samples)
    n_in = max(1, int(fade_in * RATE))
    n_out = max(1, int(fade_out * RATE))
    for i in range(min(n_in, len(out))):
        out[i] *= i / n_in
    for i in range(min(n_out, len(out))):
        out[-1 - i] *= i / n_out
    top = max(abs(v) for v in out) or 1.0
    return [v * PEAK / top for v in out]


def write_wav(path, samples):
    frames = b"".join(struct.pack("<h", max(-32767, min(32767, int(round(v * 32767))))) for v in samples)
    with wave.open(str(path), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def step_tick(rng):
    """A soft wooden tick; short because it plays, and is waited for, on every square of a move."""
    length = 0.095
    body = decaying_tone(520.0, length, 0.018, ((1.0, 1.0), (2.02, 0.35), (3.9, 0.12)))
    click = lowpass([v * math.exp(-i / (0.003 * RATE)) for i, v in enumerate(noise(rng, length))], 2500.0)
    return finish(mix(body, click, gain=0.8), fade_out=0.015)


def landing(rng):
    """A low thump as the token settles, with a small bell on top."""
    length = 0.27
    n = int(round(length * RATE))
    thump = []
    phase = 0.0
    for i in range(n):
        t = i / RATE
        freq = 85.0 + 95.0 * math.exp(-t / 0.03)  # the pitch drop makes it read as a landing
        phase += TAU * freq / RATE
        thump.append(math.sin(phase) * math.exp(-t / 0.055) * min(1.0, t / 0.002))
    knock = lowpass([v * math.exp(-i / (0.006 * RATE)) for i, v in enumerate(noise(rng, length))], 900.0)
    bell = decaying_tone(1046.5, length - 0.02, 0.07, ((1.0, 1.0), (2.76, 0.3), (5.4, 0.1)))
    out = mix(thump, knock, gain=1.5)
    mix(out, bell, start=0.015, gain=0.3)
    return finish(out, fade_out=0.04)


def brass(freq, seconds, vibrato=0.0):
    """A bright tone with a soft attack and release, rich in harmonics like a small horn."""
    n = int(round(seconds * RATE))
    out = []
    phase = 0.0
    release = min(0.08, seconds / 3)
    for i in range(n):
        t = i / RATE
        f = freq * (1.0 + vibrato * math.sin(TAU * 5.5 * t) * min(1.0, t / 0.3))
        phase += TAU * f / RATE
        env = min(1.0, t / 0.015) * min(1.0, (seconds - t) / release) * (0.75 + 0.25 * math.exp(-t / 0.1))
        out.append(env * sum(math.sin(k * phase) / k for k in range(1, 7)))
    return out


def fanfare(rng):
    """A rising four-note call, a held major chord and a crowd cheering underneath."""
    g4, c5, e5, g5, c6 = 392.0, 523.25, 659.25, 783.99, 1046.5
    out = silence(1.7)
    for k, f in enumerate((g4, c5, e5)):
        mix(out, brass(f, 0.13), start=0.14 * k, gain=0.5)
    mix(out, brass(g5, 0.22), start=0.42, gain=0.5)
    for f in (c5, e5, g5, c6):
        mix(out, brass(f, 1.0, vibrato=0.004), start=0.66, gain=0.22)

    # The cheer: band-limited noise that swells under the chord, with a slow random flutter of voices.
    crowd = lowpass(bandpass(noise(rng, 1.7), 350.0, 2600.0), 3000.0)
    flutter = lowpass(noise(rng, 1.7), 6.0)
    depth = max(abs(v) for v in flutter) or 1.0
    for i in range(len(crowd)):
        t = i / RATE
        swell = min(1.0, max(0.0, (t - 0.35) / 0.45)) * min(1.0, (1.7 - t) / 0.5)
        crowd[i] *= swell * (0.5 + 0.5 * abs(flutter[i]) / depth)
    mix(out, crowd, gain=0.7)

    # A few voices calling out, gliding upwards as a cheer does.
    for start, base in ((0.7, 330.0), (0.82, 420.0), (0.95, 370.0)):
        start += rng.uniform(-0.03, 0.03)
        voice = []
        phase = 0.0
        length = 0.45
        for i in range(int(length * RATE)):
            t = i / RATE
            f = base * (1.0 + 0.35 * min(1.0, t / 0.2))
            phase += TAU * f / RATE
            env = math.sin(math.pi * t / length) ** 2
            voice.append(env * (math.sin(phase) + 0.4 * math.sin(2 * phase) + 0.2 * math.sin(3 * phase)))
        mix(out, lowpass(voice, 1800.0), start=start, gain=0.05)
    return finish(out, fade_out=0.25)


def main(argv):
    default = Path(__file__).resolve().parent.parent / "assets"
    parser = argparse.ArgumentParser(description="Write Go1.wav, Go2.wav and Hurrah.wav.")
    parser.add_argument("folder", nargs="?", default=str(default), help=f"output folder (default: {default})")
    folder = Path(parser.parse_args(argv).folder)
    folder.mkdir(parents=True, exist_ok=True)
    rng = random.Random(20070)
    for name, make in (("Go1.wav", step_tick), ("Go2.wav", landing), ("Hurrah.wav", fanfare)):
        samples = make(rng)
        write_wav(folder / name, samples)
        print(f"{folder / name}: {len(samples) / RATE:.3f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
