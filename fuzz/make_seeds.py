#!/usr/bin/env python3
"""Writes the seed inputs of one fuzz target into a folder, from the test data where there is
some: site files, the command-line scripts and the lines typed in them, the recorded notes of a
site file. Usage: make_seeds.py TARGET FOLDER"""
import glob
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DATA = os.path.join(ROOT, "tests", "data")


def utf16(text):
    return b"\xff\xfe" + text.encode("utf-16-le")


def script_lines():
    for path in sorted(glob.glob(os.path.join(DATA, "cli", "*.script"))):
        with open(path, encoding="utf-8") as f:
            yield os.path.basename(path), f.read()


def site_file_seeds():
    for path in sorted(glob.glob(os.path.join(DATA, "**", "*.tcd"), recursive=True)):
        with open(path, "rb") as f:
            data = f.read()
        name = os.path.basename(path)
        yield name, data
        # The reader takes any encoding the file declares.
        text = data.decode("utf-16")
        yield "utf8-" + name, text.replace('encoding="UTF-16"', 'encoding="UTF-8"').encode("utf-8")


def template_seeds():
    body = ('<?xml version="1.0" encoding="UTF-16"?>\n'
            '<tcdisto_template name="TracepadTemplate" version="1.1">\n'
            '\t<room name="Kitchen"/>\n\t<room name="Hall &amp; Stairs"/>\n'
            '\t<material name="Carpet" color="3302600"/>\n\t<material name="Tile"/>\n'
            '</tcdisto_template>\n')
    yield "template", utf16(body)
    yield "template-utf8", body.replace("UTF-16", "UTF-8").encode("utf-8")


def length_seeds():
    # The first byte picks the units and the style: 0 meters, 8 feet and inches; +16 quadrant.
    typed = set()
    for _, text in script_lines():
        for line in text.splitlines():
            if line and line[0] not in ":#":
                typed.add(line)
    typed.update(["3.81 m @ NE", "12' 6\" @ N 45 E", "4 S 30 W", "2.5 135.5", "1,000.5 270"])
    for i, line in enumerate(sorted(typed)):
        for selector in (0, 8, 16, 24):
            yield "line%d-%d" % (i, selector), bytes([selector]) + line.encode("utf-8")


def disto_seeds():
    def distance(digits, unit="0"):
        return b"31..0" + unit.encode() + b"+" + digits

    def key(code):
        return b"5000..+000000" + b"%02d" % code

    def line(*words):
        return b"".join(w + b" " for w in words) + b"\r\n"

    session = (line(distance(b"00001234")) + line(key(6)) + line(key(11)) +
               line(distance(b"00003500", "9"), key(2)) + line(key(12)) + line(key(13)))
    # Type number choice, read size choice, then the bytes.
    for choice in range(4):
        yield "session%d" % choice, bytes([choice, 7 * choice + 1]) + session


def base64_seeds():
    with open(os.path.join(DATA, "site_files", "golden.tcd"), "rb") as f:
        site = f.read().decode("utf-16")
    for i, text in enumerate(re.findall(r"<annotation[^>]*>(.*?)</annotation>", site, re.S)):
        yield "note%d" % i, bytes([i]) + text.encode("utf-16-le")
    yield "padded", bytes([3]) + "QUI=QUJD\r\nQQ==".encode("utf-16-le")


def wav_seeds():
    import math
    import struct

    def wav(channels, rate, bits, frames, tag=1):
        data = bytearray()
        for i in range(frames):
            v = math.sin(2 * math.pi * 440 * i / rate)
            sample = bytes([int(128 + 100 * v)]) if bits == 8 else struct.pack("<h", int(9000 * v))
            data += sample * channels
        fmt = struct.pack("<HHIIHH", tag, channels, rate, rate * channels * bits // 8,
                          channels * bits // 8, bits)
        body = b"WAVEfmt " + struct.pack("<I", 16) + fmt + b"data" + struct.pack("<I", len(data))
        return b"RIFF" + struct.pack("<I", len(body) + len(data)) + body + bytes(data)

    yield "mono16", wav(1, 8000, 16, 700)
    yield "stereo8", wav(2, 22050, 8, 900)
    yield "stereo16-48k", wav(2, 48000, 16, 400)
    yield "alaw", wav(1, 8000, 8, 100, tag=6)


def cli_seeds():
    for name, text in script_lines():
        yield name, b"\x01" + text.encode("utf-8")


SEEDS = {
    "site_file": site_file_seeds,
    "template": template_seeds,
    "length_direction": length_seeds,
    "disto_link": disto_seeds,
    "base64": base64_seeds,
    "cli_script": cli_seeds,
    "wav": wav_seeds,
}


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in SEEDS:
        sys.exit("usage: make_seeds.py {%s} FOLDER" % "|".join(SEEDS))
    folder = sys.argv[2]
    os.makedirs(folder, exist_ok=True)
    for name, data in SEEDS[sys.argv[1]]():
        with open(os.path.join(folder, re.sub(r"[^A-Za-z0-9_.-]", "_", name)), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
