#!/usr/bin/env python3
"""Writes the short sound the program plays after reloading "我的程序":
two soft rising tones, 0.25 s, 22050 Hz, 8-bit mono PCM (plays on every
Windows version the program supports).

Standard library only. The output is committed: the build never runs this.
Usage: python3 tools/make_sound.py [--out REPO_ROOT]
"""

import argparse
import math
import os
import wave

RATE = 22050


def tone(freq, seconds, volume):
    count = int(RATE * seconds)
    samples = []
    for i in range(count):
        t = i / RATE
        # Short attack and a smooth decay, so the clip does not click.
        envelope = min(1.0, i / (0.005 * RATE)) * math.exp(-6.0 * t / seconds)
        value = volume * envelope * math.sin(2 * math.pi * freq * t)
        samples.append(max(0, min(255, int(round(128 + 127 * value)))))
    return samples


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", default=os.path.join(os.path.dirname(__file__), ".."))
    args = parser.parse_args()
    path = os.path.join(args.out, "data", "音效", "重载我的程序.wav")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    samples = tone(880.0, 0.1, 0.5) + tone(1318.5, 0.15, 0.5)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(1)
        out.setframerate(RATE)
        out.writeframes(bytes(samples))
    print(path)


if __name__ == "__main__":
    main()
