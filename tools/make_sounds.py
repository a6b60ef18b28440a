#!/usr/bin/env python3
"""Writes the program's twelve sounds, resources/sounds/101.wav ... 112.wav.

Short 16-bit mono clips at 22050 Hz, synthesised from soft sine tones with
gentle envelopes so that none of them clicks. Run it from anywhere:
    python3 tools/make_sounds.py
"""

import math
import os
import struct
import wave

RATE = 22050
OUT_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "sounds")


def note(freq):
    """Frequency of a note name like 'A4' or 'C#5'."""
    names = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    semis = names[freq[0]]
    rest = freq[1:]
    if rest.startswith("#"):
        semis += 1
        rest = rest[1:]
    elif rest.startswith("b"):
        semis -= 1
        rest = rest[1:]
    octave = int(rest)
    return 440.0 * 2 ** ((semis + 12 * (octave - 4)) / 12.0)


def silence(seconds):
    return [0.0] * int(RATE * seconds)


def release(i, n, seconds=0.008):
    """Ramp to zero over the last few milliseconds of a note."""
    tail = max(1, int(RATE * seconds))
    return min(1.0, (n - 1 - i) / tail)


def tone(freq, seconds, volume=0.5, attack=0.005, decay=None, harmonics=(1.0, 0.25, 0.08),
         freq_end=None):
    """A tone with a few harmonics, a short attack and an exponential decay.

    With freq_end the pitch glides from freq to freq_end.
    """
    n = int(RATE * seconds)
    decay = decay if decay is not None else seconds / 3.0
    out = []
    phase = 0.0
    for i in range(n):
        t = i / RATE
        f = freq if freq_end is None else freq + (freq_end - freq) * (i / max(1, n - 1))
        phase += 2 * math.pi * f / RATE
        env = min(1.0, t / attack) if attack > 0 else 1.0
        env *= math.exp(-t / decay) * release(i, n)
        s = sum(a * math.sin(phase * (h + 1)) for h, a in enumerate(harmonics))
        out.append(volume * env * s / sum(harmonics))
    return out


def noise_click(seconds, volume=0.4, freq=2000.0):
    """A soft click: a damped high tone with a little deterministic grit."""
    n = int(RATE * seconds)
    out = []
    seed = 12345
    for i in range(n):
        t = i / RATE
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        grit = (seed / 0x7FFFFFFF - 0.5) * 0.3
        env = math.exp(-t / (seconds / 5.0)) * release(i, n)
        out.append(volume * env * (math.sin(2 * math.pi * freq * t) * 0.8 + grit))
    return out


def mix(*tracks):
    length = max(len(t) for t in tracks)
    out = [0.0] * length
    for t in tracks:
        for i, v in enumerate(t):
            out[i] += v
    return out


def delayed(track, seconds):
    return silence(seconds) + track


def sequence(*tracks):
    out = []
    for t in tracks:
        out.extend(t)
    return out


def fade(samples, fade_in=0.003, fade_out=0.010):
    """Short linear ramps at both ends, so playback starts and stops cleanly."""
    n = len(samples)
    a = min(n // 2, int(RATE * fade_in))
    b = min(n // 2, int(RATE * fade_out))
    out = list(samples)
    for i in range(a):
        out[i] *= i / a
    for i in range(b):
        out[n - 1 - i] *= i / b
    return out


def normalise(samples, peak=0.7):
    top = max(abs(s) for s in samples) or 1.0
    return [s * peak / top for s in samples]


def buzz(freq, seconds, volume=0.5):
    """A soft square-ish buzz built from odd harmonics."""
    return tone(freq, seconds, volume, attack=0.004, decay=seconds,
                harmonics=(1.0, 0.0, 0.33, 0.0, 0.2, 0.0, 0.14))


SOUNDS = {
    # wrong keystroke: short low buzz
    101: lambda: normalise(buzz(110.0, 0.12), 0.55),
    # end of a sentence: two-note chime
    102: lambda: mix(tone(note("E5"), 0.35, decay=0.12),
                     delayed(tone(note("C5"), 0.45, decay=0.18), 0.12)),
    # new best speed: rising three-note arpeggio
    103: lambda: mix(tone(note("C5"), 0.25, decay=0.1),
                     delayed(tone(note("E5"), 0.25, decay=0.1), 0.09),
                     delayed(tone(note("G5"), 0.45, decay=0.2), 0.18)),
    # a sentence starts: soft tick
    104: lambda: normalise(noise_click(0.05, freq=1500.0), 0.45),
    # about window: gentle chord
    105: lambda: mix(tone(note("C4"), 0.7, 0.3, attack=0.04, decay=0.3),
                     tone(note("E4"), 0.7, 0.3, attack=0.05, decay=0.3),
                     tone(note("G4"), 0.7, 0.3, attack=0.06, decay=0.3)),
    # results window: three-note fanfare
    106: lambda: sequence(tone(note("G4"), 0.11, decay=0.08, harmonics=(1.0, 0.5, 0.3, 0.15)),
                          tone(note("G4"), 0.11, decay=0.08, harmonics=(1.0, 0.5, 0.3, 0.15)),
                          tone(note("C5"), 0.45, decay=0.25, harmonics=(1.0, 0.5, 0.3, 0.15))),
    # correct keystroke, each letter of the title: very short soft click
    107: lambda: normalise(noise_click(0.025, freq=2600.0), 0.5),
    # spare: neutral blip
    108: lambda: tone(note("A5"), 0.08, decay=0.03),
    # finger division switched: two-tone swap
    109: lambda: sequence(tone(note("A4"), 0.12, decay=0.08), tone(note("D5"), 0.12, decay=0.08),
                          tone(note("A4"), 0.18, decay=0.1)),
    # welcome greeting: friendly two notes
    110: lambda: mix(tone(note("G4"), 0.3, decay=0.15),
                     delayed(tone(note("D5"), 0.5, decay=0.25), 0.16)),
    # menu and option clicks: short click
    111: lambda: normalise(noise_click(0.04, freq=1800.0), 0.4),
    # a game starts: rising sweep
    112: lambda: tone(300.0, 0.45, 0.5, attack=0.02, decay=0.6, freq_end=1200.0),
}


def write(path, samples):
    samples = fade(normalise(samples) if max(abs(s) for s in samples) > 0.9 else samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        frames = b"".join(struct.pack("<h", int(max(-1.0, min(1.0, s)) * 32767)) for s in samples)
        w.writeframes(frames)


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    for sound_id, make in sorted(SOUNDS.items()):
        path = os.path.join(OUT_DIR, "%d.wav" % sound_id)
        write(path, make())
        size = os.path.getsize(path)
        assert size < 40 * 1024, "%s is too large (%d bytes)" % (path, size)
        print("%s  %6d bytes" % (os.path.relpath(path), size))


if __name__ == "__main__":
    main()
