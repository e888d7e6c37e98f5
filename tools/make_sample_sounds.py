#!/usr/bin/env python3
"""Makes the bundled sample sounds (samples/sounds/) and the sound fixtures of
the tests (tests/data/sound/).

Every sound is synthesised here from sine partials with bell-like decays, so the
files are our own and the output is the same on every run. The MP3 files need
the `lame` encoder (Debian package "lame"); everything else is the standard
library only.

    python3 tools/make_sample_sounds.py            # writes both folders
"""

import math
import os
import struct
import subprocess
import sys
import tempfile
import wave

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SAMPLES = os.path.join(ROOT, "samples", "sounds")
FIXTURES = os.path.join(ROOT, "tests", "data", "sound")
RATE = 22050


def silence(seconds):
    return [0.0] * int(seconds * RATE)


def bell(freq, seconds, decay, partials=((1.0, 1.0), (2.0, 0.35), (3.0, 0.12), (4.2, 0.06)),
         attack=0.004):
    """A struck tone: a few partials, each fading faster the higher it is."""
    out = []
    n = int(seconds * RATE)
    a = max(1, int(attack * RATE))
    for i in range(n):
        t = i / RATE
        env = min(1.0, i / a) * math.exp(-t / decay)
        s = 0.0
        for ratio, amp in partials:
            s += amp * math.exp(-t * (ratio - 1.0) * 2.0) * math.sin(2 * math.pi * freq * ratio * t)
        out.append(env * s)
    return out


def mix(*tracks):
    """Tracks as (start seconds, samples), summed."""
    length = max(int(start * RATE) + len(s) for start, s in tracks)
    out = [0.0] * length
    for start, s in tracks:
        o = int(start * RATE)
        for i, v in enumerate(s):
            out[o + i] += v
    return out


def normalise(samples, peak):
    top = max(abs(v) for v in samples) or 1.0
    return [v * peak / top for v in samples]


def write_wav(path, samples, peak=0.7):
    samples = normalise(samples, peak)
    frames = b"".join(struct.pack("<h", int(round(v * 32767))) for v in samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def write_mp3(path, samples, peak=0.7):
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, "in.wav")
        write_wav(src, samples, peak)
        # Constant bit rate, no Xing tag variations: the same bytes every run.
        subprocess.run(["lame", "--quiet", "-m", "m", "-b", "48", "--noreplaygain",
                        "-t", src, path], check=True)


def var_len(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, 0x80 | (value & 0x7F))
        value >>= 7
    return bytes(out)


def write_midi(path, program, notes, ticks=480, tempo_us=500000):
    """notes: (start beat, length beats, key, velocity); one track, channel 0."""
    events = []
    for start, length, key, vel in notes:
        events.append((int(start * ticks), 1, bytes([0x90, key, vel])))
        events.append((int((start + length) * ticks), 0, bytes([0x80, key, 0])))
    events.sort(key=lambda e: (e[0], e[1]))
    body = bytearray()
    body += b"\x00\xff\x51\x03" + tempo_us.to_bytes(3, "big")
    body += b"\x00" + bytes([0xC0, program])
    now = 0
    for tick, _, data in events:
        body += var_len(tick - now) + data
        now = tick
    body += b"\x00\xff\x2f\x00"
    with open(path, "wb") as f:
        f.write(b"MThd" + struct.pack(">IHHH", 6, 0, 1, ticks))
        f.write(b"MTrk" + struct.pack(">I", len(body)) + body)


def samples():
    os.makedirs(SAMPLES, exist_ok=True)
    # Boarding chime: a two-note "ding-dong".
    write_wav(os.path.join(SAMPLES, "route.wav"),
              mix((0.0, bell(784.0, 0.9, 0.35)), (0.45, bell(622.3, 1.2, 0.45))))
    # Keypad click: a short, bright blip.
    write_wav(os.path.join(SAMPLES, "key.wav"),
              bell(1975.5, 0.07, 0.02, partials=((1.0, 1.0), (2.0, 0.2)), attack=0.001), peak=0.5)
    # Step tone: one clear "pin".
    write_wav(os.path.join(SAMPLES, "step.wav"), bell(1318.5, 0.45, 0.12), peak=0.6)
    # Before an announcement: four rising notes.
    notes = [523.3, 659.3, 784.0, 1046.5]
    write_wav(os.path.join(SAMPLES, "pre.wav"),
              mix(*[(i * 0.22, bell(f, 1.0 if i == 3 else 0.6, 0.3)) for i, f in enumerate(notes)]))
    # A falling three-note chime, as MP3.
    write_mp3(os.path.join(SAMPLES, "chime.mp3"),
              mix(*[(i * 0.3, bell(f, 0.9, 0.3)) for i, f in enumerate([880.0, 698.5, 587.3])]))
    # A short vibraphone phrase, as MIDI.
    phrase = [(0, 0.5, 72, 100), (0.5, 0.5, 76, 96), (1, 0.5, 79, 96), (1.5, 0.5, 84, 104),
              (2, 0.5, 79, 90), (2.5, 1.5, 81, 100)]
    write_midi(os.path.join(SAMPLES, "melody.mid"), 11, phrase)


def fixtures():
    os.makedirs(FIXTURES, exist_ok=True)
    # A steady 660 Hz tone of 0.4 s: its frequency is checked after playback.
    tone = [math.sin(2 * math.pi * 660.0 * i / RATE) for i in range(int(0.4 * RATE))]
    write_mp3(os.path.join(FIXTURES, "tone660.mp3"), tone, peak=0.5)
    # A half-second vibraphone chord.
    write_midi(os.path.join(FIXTURES, "chord.mid"), 11,
               [(0, 1, 60, 110), (0, 1, 64, 110), (0, 1, 67, 110)])
    # Not an MP3 at all.
    with open(os.path.join(FIXTURES, "text.mp3"), "w", encoding="ascii") as f:
        f.write("This is a text file, not a sound.\n")


if __name__ == "__main__":
    samples()
    fixtures()
    sys.exit(0)
