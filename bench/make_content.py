#!/usr/bin/env python3
"""Writes the whole-upload benchmark's content into a folder.

    make_content.py FOLDER FRAMES [FRAMES ...]

For each count N: FOLDER/frames<N>/f000.bin ... (N frames of 1920x1080 RGB,
3 bytes per pixel), FOLDER/scenario<N>.txt that plays them on HDMI at
1080p60, and once FOLDER/profile.ini, a simulator profile that keeps no block
bytes (store = none), so only the program's own work is measured.
"""
import os
import sys

WIDTH, HEIGHT, BPP = 1920, 1080, 3

PROFILE = """[device]
name = KVX-4 [SIM0001] / HDMI TX
flags = 16
outputs = HDMI TX
[generator]
memory = 17179869184
store = none
"""

# CTA-861 1080p60: 2200 x 1125 total, 44/5 sync, 148/36 back porch.
SCENARIO = """timing.hactive=1920
timing.vactive=1080
timing.htotal=2200
timing.vtotal=1125
timing.hstart=192
timing.vstart=41
timing.hsync=44
timing.vsync=5
timing.frate=60000
colorspace=RGB444
bitspercolor=8
video=frames{count}\\f000.bin
porder=0-{last}:1::256
scrambler=0
hdcp=none
"""


def frame_pattern():
    """A gradient frame; each frame is this pattern rotated, so no two are equal."""
    line = bytearray(WIDTH * BPP)
    for x in range(WIDTH):
        line[3 * x] = x & 0xFF
        line[3 * x + 1] = (x >> 3) & 0xFF
        line[3 * x + 2] = (255 - x) & 0xFF
    return bytes(line) * HEIGHT


def write_frames(folder, count, pattern):
    os.makedirs(folder, exist_ok=True)
    step = len(pattern) // max(count, 1)
    for i in range(count):
        cut = (i * step) // BPP * BPP
        with open(os.path.join(folder, "f%03d.bin" % i), "wb") as out:
            out.write(pattern[cut:])
            out.write(pattern[:cut])


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    root = sys.argv[1]
    os.makedirs(root, exist_ok=True)
    with open(os.path.join(root, "profile.ini"), "w") as out:
        out.write(PROFILE)
    pattern = frame_pattern()
    for count in map(int, sys.argv[2:]):
        write_frames(os.path.join(root, "frames%d" % count), count, pattern)
        with open(os.path.join(root, "scenario%d.txt" % count), "w") as out:
            out.write(SCENARIO.format(count=count, last=count - 1))


if __name__ == "__main__":
    main()
