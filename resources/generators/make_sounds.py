#!/usr/bin/env python3
"""Synthesises the two sounds of the draw: drum.wav (the roll that plays while
names spin) and gong.wav (the stroke when the draw stops).

Standard library only, with fixed random seeds so a rerun gives the same
files. Usage: make_sounds.py [output folder]   (default: the resources folder)
"""

import math
import os
import random
import struct
import sys
import wave


def write_wav(path, rate, samples):
    """Writes mono 16-bit PCM, peak-normalised to about -1 dBFS."""
    peak = max(abs(s) for s in samples) or 1.0
    gain = 0.89 / peak
    frames = bytearray()
    for s in samples:
        v = int(round(s * gain * 32767))
        frames += struct.pack('<h', max(-32768, min(32767, v)))
    with wave.open(path, 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(bytes(frames))


def soft_clip(samples, drive):
    """Scales to a peak of 1, then rounds off the loudest peaks a little."""
    peak = max(abs(s) for s in samples) or 1.0
    norm = math.tanh(drive)
    return [math.tanh(drive * s / peak) / norm for s in samples]


def fade_out(samples, rate, seconds):
    n = int(rate * seconds)
    total = len(samples)
    for i in range(max(0, total - n), total):
        x = (total - i) / n
        samples[i] *= 0.5 - 0.5 * math.cos(math.pi * x)


# ---------------------------------------------------------------- drum ----

def drum_hit(out, rate, start, velocity, pitch, rng, ring=0.12):
    """Adds one stroke of a big festive drum: a low skin tone that drops in
    pitch just after the strike, two inharmonic overtones and a short slap of
    noise that grows brighter the harder the stroke."""
    length = int(rate * min(0.9, 5 * ring))
    first = int(start * rate)
    glide = 0.018
    noise_lp = 0.0
    brightness = 0.25 + 0.6 * velocity
    for i in range(length):
        n = first + i
        if n >= len(out):
            break
        t = i / rate
        # Phase of a tone whose frequency falls from 1.6 × pitch to pitch.
        bend = t + 0.6 * glide * (1.0 - math.exp(-t / glide))
        body = math.sin(2 * math.pi * pitch * bend) * math.exp(-t / ring)
        over1 = 0.45 * math.sin(2 * math.pi * pitch * 1.59 * bend) * math.exp(-t / 0.09)
        over2 = 0.25 * math.sin(2 * math.pi * pitch * 2.14 * bend) * math.exp(-t / 0.05)
        noise_lp += brightness * (rng.uniform(-1.0, 1.0) - noise_lp)
        slap = 0.7 * noise_lp * math.exp(-t / 0.010)
        attack = min(1.0, t / 0.0015)
        out[n] += velocity * attack * (body + over1 + over2 + slap * math.sqrt(velocity))


def make_drum(path):
    rate = 22050
    seconds = 5.6
    rng = random.Random(2027)
    out = [0.0] * int(rate * seconds)
    roll_end = 5.05
    t = 0.02
    k = 0
    while t < roll_end:
        progress = t / roll_end
        # Crescendo from a murmur to full strength, the roll speeding up a
        # little as it swells; every fourth stroke a touch heavier.
        velocity = 0.22 + 0.78 * progress ** 1.6
        if k % 4 == 0:
            velocity = min(1.0, velocity * 1.18)
        velocity *= rng.uniform(0.9, 1.0)
        pitch = (92.0 if k % 2 == 0 else 97.0) * rng.uniform(0.985, 1.015)
        drum_hit(out, rate, t + rng.gauss(0.0, 0.003), velocity, pitch, rng)
        t += 0.088 - 0.030 * progress
        k += 1
    # Closing double stroke, the loudest of all.
    drum_hit(out, rate, roll_end + 0.04, 1.0, 90.0, rng, ring=0.16)
    drum_hit(out, rate, roll_end + 0.17, 1.3, 84.0, rng, ring=0.24)
    out = soft_clip(out, 1.4)
    fade_out(out, rate, 0.12)
    write_wav(path, rate, out)


# ---------------------------------------------------------------- gong ----

# Inharmonic partials: (ratio to the fundamental, level, decay in seconds,
# swell time in seconds). Upper partials swell in after the strike and die
# sooner, which gives the gong its bloom.
GONG_PARTIALS = [
    (1.00, 1.00, 2.6, 0.004),
    (1.47, 0.70, 2.3, 0.006),
    (2.09, 0.55, 2.0, 0.010),
    (2.56, 0.48, 1.8, 0.020),
    (3.18, 0.42, 1.6, 0.035),
    (3.91, 0.34, 1.35, 0.050),
    (4.70, 0.30, 1.15, 0.070),
    (5.43, 0.24, 1.0, 0.090),
    (6.27, 0.22, 0.9, 0.110),
    (7.36, 0.17, 0.8, 0.130),
    (8.91, 0.13, 0.7, 0.150),
    (10.62, 0.11, 0.6, 0.170),
    (12.93, 0.09, 0.5, 0.190),
    (15.31, 0.07, 0.42, 0.200),
]


def make_gong(path):
    rate = 44100
    seconds = 3.6
    rng = random.Random(88)
    total = int(rate * seconds)
    out = [0.0] * total
    f0 = 118.0
    for ratio, level, decay, swell in GONG_PARTIALS:
        freq = f0 * ratio
        # Each partial is a pair of slightly detuned modes: their beating is
        # the shimmer of the tail.
        beat = rng.uniform(0.6, 2.4)
        phase_a = rng.uniform(0, 2 * math.pi)
        phase_b = rng.uniform(0, 2 * math.pi)
        wobble = rng.uniform(4.0, 6.5)
        w_a = 2 * math.pi * (freq - beat / 2) / rate
        w_b = 2 * math.pi * (freq + beat / 2) / rate
        # Low partials sag a little in pitch as the metal settles.
        sag = 0.006 if ratio < 3 else 0.0
        upper = ratio > 4
        for n in range(total):
            t = n / rate
            env = (1.0 - math.exp(-t / swell)) * math.exp(-t / decay)
            if env < 1e-5 and t > 0.5:
                break
            bend = 1.0 - sag * (1.0 - math.exp(-t / 0.6))
            v = math.sin(w_a * n * bend + phase_a) + 0.5 * math.sin(w_b * n * bend + phase_b)
            if upper:
                v *= 1.0 + 0.25 * math.sin(2 * math.pi * wobble * t)
            out[n] += level * env * v
    # Metallic wash: bright noise that rings on for a second.
    hp_prev = 0.0
    lp = 0.0
    for n in range(total):
        t = n / rate
        x = rng.uniform(-1.0, 1.0)
        bright = x - hp_prev
        hp_prev = x
        lp += 0.35 * (bright - lp)
        out[n] += 0.22 * lp * (1.0 - math.exp(-t / 0.01)) * math.exp(-t / 0.9)
    # The mallet's soft thud.
    for n in range(int(rate * 0.12)):
        t = n / rate
        out[n] += 0.9 * math.sin(2 * math.pi * 62 * t) * math.exp(-t / 0.035)
    out = soft_clip(out, 1.1)
    fade_out(out, rate, 0.6)
    write_wav(path, rate, out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(here)
    make_drum(os.path.join(target, 'drum.wav'))
    make_gong(os.path.join(target, 'gong.wav'))


if __name__ == '__main__':
    main()
