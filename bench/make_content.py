#!/usr/bin/env python3
"""Writes the benchmarks' content into a folder.

    make_content.py FOLDER FRAMES [FRAMES ...]

For each count N: FOLDER/frames<N>/f000.bin ... (N frames of 1920x1080 RGB,
3 bytes per pixel) and FOLDER/scenario<N>.txt that plays them on HDMI at
1080p60. Then the larger cases, each with its scenario FOLDER/<case>.txt:
20 frames of 3840x2160 at 3 (RGB), 6 (YUV444 10-bit) and 4 (YUV422 10-bit)
bytes per pixel, a 10-minute 48 kHz stereo 16-bit WAV, and a playing order of
1048576 one-frame steps. Then FOLDER/check.ini, a playlist of 64 scenarios for the
check: the 4K RGB and YUV422 cases and the WAV case in turn, scrambled, each sending
an HDR InfoFrame (drm.bin). Once FOLDER/profile.ini, a simulator profile that
keeps no block bytes (store = none), so only the program's own work is measured.
"""
import os
import struct
import sys

PROFILE = """[device]
name = KVX-4 [SIM0001] / HDMI TX
flags = 16
outputs = HDMI TX
[generator]
memory = 17179869184
store = none
"""

# CTA-861 timings: active, total, sync start to active start, sync width.
TIMINGS = {
    "1080p60": "1920 1080 2200 1125 192 41 44 5",
    "2160p60": "3840 2160 4400 2250 384 82 88 10",
    "480p60": "640 480 800 525 144 35 96 2",
}

SCENARIO = """timing.hactive={0}
timing.vactive={1}
timing.htotal={2}
timing.vtotal={3}
timing.hstart={4}
timing.vstart={5}
timing.hsync={6}
timing.vsync={7}
timing.frate=60000
scrambler=0
hdcp=none
"""

FOUR_K_FRAMES = 20
# name: bytes per pixel, scenario lines
FOUR_K_CASES = {
    "rgb4k": (3, "colorspace=RGB444\nbitspercolor=8\n"),
    "yuv444p10": (6, "colorspace=YUV444\nbitspercolor=10\nalign12=1\n"),
    "yuv422p10": (4, "colorspace=YUV422\nbitspercolor=10\n"),
}
WAV_SECONDS, WAV_RATE = 600, 48000
ORDER_STEPS = 1048576


def scenario(timing, lines):
    return SCENARIO.format(*TIMINGS[timing].split()) + lines


def frame_pattern(width, height, bpp):
    """A gradient frame; each frame is this pattern rotated, so no two are equal."""
    line = bytearray(width * bpp)
    for x in range(width):
        for b in range(bpp):
            line[bpp * x + b] = (x * (b + 1) + (b << 5)) & 0xFF
    return bytes(line) * height


def write_frames(folder, count, pattern, bpp):
    os.makedirs(folder, exist_ok=True)
    step = len(pattern) // max(count, 1)
    for i in range(count):
        cut = (i * step) // bpp * bpp
        with open(os.path.join(folder, "f%03d.bin" % i), "wb") as out:
            out.write(pattern[cut:])
            out.write(pattern[:cut])


def write(root, name, text):
    with open(os.path.join(root, name), "w") as out:
        out.write(text)


def write_wav(path, seconds, rate):
    frames = seconds * rate
    data = bytes(range(256)) * (frames * 4 // 256)
    header = b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVEfmt "
    header += struct.pack("<IHHIIHH", 16, 1, 2, rate, rate * 4, 4, 16)
    with open(path, "wb") as out:
        out.write(header + b"data" + struct.pack("<I", len(data)))
        out.write(data)


def write_large_cases(root):
    for name, (bpp, lines) in FOUR_K_CASES.items():
        write_frames(os.path.join(root, name), FOUR_K_FRAMES, frame_pattern(3840, 2160, bpp), bpp)
        write(root, name + ".txt", scenario("2160p60", lines + "video=%s\\f000.bin\n" % name))
    # The audio and playing-order cases show one small frame.
    with open(os.path.join(root, "vga.bin"), "wb") as out:
        out.write(frame_pattern(640, 480, 3))
    small = scenario("480p60", "colorspace=RGB444\nbitspercolor=8\nvideo=vga.bin\n")
    write_wav(os.path.join(root, "tone.wav"), WAV_SECONDS, WAV_RATE)
    write(root, "wav.txt", small + "audio=tone.wav\nporder=0:1::256\n")
    write(root, "order.txt", small + "porder=" + "0:1::256;" * ORDER_STEPS + "\n")


CHECK_SCENARIOS = 64


def infoframe(kind, version, payload):
    """An HDMI InfoFrame packet of 31 bytes whose checksum makes it sum to 0."""
    packet = bytearray([kind, version, len(payload), 0]) + bytes(payload)
    packet += bytes(31 - len(packet))
    packet[3] = -sum(packet) & 0xFF
    return bytes(packet)


def write_check_playlist(root):
    # A Dynamic Range and Mastering InfoFrame asking for SMPTE ST 2084.
    with open(os.path.join(root, "drm.bin"), "wb") as out:
        out.write(infoframe(0x87, 1, [2] + [0] * 25))
    cases = [
        ("check_" + name + ".txt", "2160p60",
         FOUR_K_CASES[name][1] + "video=%s\\f000.bin\nporder=0-19:1:0:256\n" % name)
        for name in ("rgb4k", "yuv422p10")]
    cases.append(("check_wav.txt", "480p60", "colorspace=RGB444\nbitspercolor=8\nvideo=vga.bin\n"
                  "audio=tone.wav\nporder=0:1:0:256\n"))
    for name, timing, lines in cases:
        text = scenario(timing, lines + "packets=drm.bin\n").replace("scrambler=0", "scrambler=1")
        write(root, name, text)
    playlist = "[Device]\nserialnumber=SIM0001\nconnectortype=HDMI Out\n"
    for i in range(CHECK_SCENARIOS):
        playlist += "[Scenario]\npath=%s\n" % cases[i % len(cases)][0]
    write(root, "check.ini", playlist)


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    root = sys.argv[1]
    os.makedirs(root, exist_ok=True)
    write(root, "profile.ini", PROFILE)
    pattern = frame_pattern(1920, 1080, 3)
    for count in map(int, sys.argv[2:]):
        write_frames(os.path.join(root, "frames%d" % count), count, pattern, 3)
        write(root, "scenario%d.txt" % count,
              scenario("1080p60", "colorspace=RGB444\nbitspercolor=8\n"
                       "video=frames%d\\f000.bin\nporder=0-%d:1::256\n" % (count, count - 1)))
    write_large_cases(root)
    write_check_playlist(root)


if __name__ == "__main__":
    main()
