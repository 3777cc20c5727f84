#!/usr/bin/env python3
"""Writes the hand-made seeds of the replay fuzz target from the format as
docs/REPLAY-FORMAT.md describes it (written apart from the game's own writer,
so the two can be held against each other). Run from the repository root.
game_recorded.hbreplay is a game the window recorded; the files named after
their hashes are what a fuzzing run grew from these, minimised with -merge=1."""
import struct
import zlib
from pathlib import Path

OUT = Path(__file__).resolve().parent / "corpus" / "replay"

SMALL_MAP = b". . . . . . . . \n. .2. . . .1. \n. . . * . . . . \n"


def text(b, length_bytes=1):
    return len(b).to_bytes(length_bytes, "little") + b


def header(map_text=SMALL_MAP, boris=b"keys", horace=b"computer:hard", version=1):
    packed = zlib.compress(map_text, 9)
    return (b"HBREPLAY" + struct.pack("<H", version) + text(b"1.0.0") + text(b"small.map") +
            struct.pack("<II", len(map_text), len(packed)) + packed + text(boris) + text(horace) +
            struct.pack("<QqQ", 7, 1765200000, 0x1234))


def number(n):
    out = bytearray()
    while n >= 0x80:
        out.append((n & 0x7F) | 0x80)
        n >>= 7
    out.append(n)
    return bytes(out)


def run(steps, boris=None, horace=None):
    tag = (0x20 if boris is not None else 0) | (0x10 if horace is not None else 0)
    out = bytearray([tag | (steps if steps <= 15 else 0)])
    if steps > 15:
        out += number(steps)
    if boris is not None:
        out.append(boris)
    if horace is not None:
        out.append(horace)
    return bytes(out)


def digest(step, value=0):
    return b"\x40" + number(step) + struct.pack("<Q", value)


def end(how, steps, value=0, boris=0, horace=0):
    return b"\x41" + bytes([how]) + number(steps) + struct.pack("<Qii", value, boris, horace)


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    seeds = {
        "short_finished": header() + run(3, 0x01, 0x04) + run(10, None, 0x00) + end(1, 13),
        "with_digests": header() + run(40, 0x08) + run(24, 0x10, 0x30) + digest(64, 0xDEAD) +
                        run(15, 0x40, 0x40) + run(49, 0, 0) + digest(128) + run(2) + end(5, 130),
        "cut_short": header() + run(5, 0x01) + run(20, 0x21, 0x22) + b"\x2a",
        "header_only": header(),
        "cows_missing": header(b". . \n. . \n") + end(6, 0),
        "big_map": header(b"X " * 250 + b"\n" + (b"X " + b". " * 248 + b"X \n") * 60 +
                          b"X .1. .2" + b". " * 244 + b"X \n" + b"X " * 250 + b"\n") + run(64, 0x05, 0x05) +
                   digest(64) + end(3, 64),
    }
    for name, data in seeds.items():
        (OUT / (name + ".hbreplay")).write_bytes(data)


if __name__ == "__main__":
    main()
