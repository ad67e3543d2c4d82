#!/usr/bin/env python3
"""Runs the performance comparisons and prints one line per target.

    compare.py --program TavrelCmd --bench tavrel_bench --content FOLDER
               [--content-program tavrel-content] [--rounds N]

FOLDER holds what make_content.py wrote (frames60, frames240, the larger cases,
their scenarios and the simulator profile). Wall times are taken side by side:
every round runs `cat` of the files a scenario reads and its upload one after the
other, and medians are compared. The exit status is 1 when a target is missed.
"""
import argparse
import glob
import json
import os
import shutil
import statistics
import subprocess
import sys
import time

WIDE_FRAME_BYTES = 1920 * 1080 * 4
MEMORY_LIMIT = 2.5 * WIDE_FRAME_BYTES + 20e6
UPLOAD_RATIO_LIMIT = 2.0
MEMORY_GROWTH_LIMIT = 0.05
KERNEL_RATIO_LIMIT = 0.5

# Larger uploads against `cat` of the files they read: scenario, files, frames
# loaded, what, limit.
CAT_CASES = [
    ("rgb4k", ["rgb4k/*.bin"], 20, "4K RGB 3 -> 4 bytes, 20 frames", 1.5),
    ("yuv444p10", ["yuv444p10/*.bin"], 20, "4K YUV444 10-bit 6 bytes, 20 frames", 1.5),
    ("yuv422p10", ["yuv422p10/*.bin"], 20, "4K YUV422 10-bit 4 bytes, 20 frames", 1.5),
    ("wav", ["tone.wav", "vga.bin"], 1, "WAV 10 min 48 kHz stereo 16-bit", 4.0),
]
ORDER_STEPS = 1048576
ORDER_STEP_LIMIT = 0.3e-6  # CPU seconds a step
ORDER_MEMORY_LIMIT = 200e6
CHECK_MEMORY_LIMIT = 20e6
CHECK_SINK_RATIO_LIMIT = 1.2
# tavrel-content against ffmpeg writing the same frames as raw 16-bit planes.
Y4M_FRAMES = 10
Y4M_RATIO_LIMIT = 1.5

# Kernel benchmark -> the baseline that writes the same bytes, and what it is.
KERNELS = [
    ("Widen3To4", "Memcpy/8294400", "widen RGB 3 -> 4 bytes"),
    ("ReorderYuv444Bytes4", "Memcpy/8294400", "YUV444 reorder, 4 bytes"),
    ("ReorderYuv444Words6", "Memcpy/12441600", "YUV444 reorder, 6 bytes"),
    ("ShiftWords", "Memcpy/12441600", "deep-colour shift"),
    ("ConvertYuv444Words6", "Memcpy/12441600", "YUV444 6 bytes, reorder + shift copy"),
    ("ConvertStereo16/10", "AudioMemcpy/10", "WAV 16-bit stereo"),
    ("ConvertStereo24/10", "AudioMemcpy/10", "WAV 24-bit stereo"),
    ("WavSamples/1/2/2/0", "Memcpy/8294400", "WAV 8-bit stereo"),
    ("WavSamples/2/6/8/0", "Memcpy/8294400", "WAV 16-bit 5.1"),
    ("WavSamples/2/2/2/1", "Memcpy/8294400", "WAV 16-bit big-endian"),
    ("SwapSamplePairs", "Memcpy/8294400", "WAV byte-pair swap"),
    ("ReverseSamples24", "Memcpy/8294400", "WAV 24-bit byte reversal"),
    ("HdmiPacketBytes", "PacketMemcpy/131072", "HDMI packet bytes"),
    ("PacketData", "PacketMemcpy/523264", "packet data"),
]

results = []


def report(target, measured, held):
    results.append(held)
    print("%-44s %s: %s" % (target, measured, "held" if held else "MISSED"), flush=True)


def run(argv, cwd=None, env=None, cpu=False):
    """Wall seconds (CPU seconds with `cpu`) and peak resident bytes of one run; the
    output is discarded."""
    start = time.perf_counter()
    child = subprocess.Popen(argv, cwd=cwd, env=env, stdin=subprocess.DEVNULL,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    seconds = time.perf_counter() - start
    child.returncode = os.waitstatus_to_exitcode(status)
    if child.returncode != 0:
        sys.exit("%s failed with exit status %d" % (argv[0], child.returncode))
    if cpu:
        seconds = usage.ru_utime + usage.ru_stime
    return seconds, usage.ru_maxrss * 1024


def simulator_env(args):
    """The environment of a run on the content's simulator profile, without a trace."""
    env = dict(os.environ, HLX_SIM_PROFILE=os.path.join(args.content, "profile.ini"))
    env.pop("HLX_SIM_TRACE", None)
    return env


class Upload:
    def __init__(self, args, scenario, files, count):
        self.count = count
        self.files = sorted(sum((glob.glob(os.path.join(args.content, f)) for f in files), []))
        self.argv = [os.path.abspath(args.program), "--scenario", scenario + ".txt",
                     "--interface", "HDMI"]
        self.cwd = args.content
        self.env = simulator_env(args)

    def check(self):
        """One run whose log must show every frame loaded and the upload done."""
        out = subprocess.run(self.argv, cwd=self.cwd, env=self.env, capture_output=True,
                             text=True)
        loaded = sum(1 for line in out.stdout.splitlines() if " Bpp " in line)
        if out.returncode != 0 or loaded != self.count or "Upload succeeded!" not in out.stdout:
            sys.exit("%s: upload of %d frames failed:\n%s"
                     % (self.argv[2], self.count, out.stdout[-2000:]))

    def cat(self):
        return run(["cat"] + self.files)

    def upload(self, cpu=False):
        return run(self.argv, self.cwd, self.env, cpu)


def frames_upload(args, count):
    return Upload(args, "scenario%d" % count, ["frames%d/*.bin" % count], count)


def mb(value):
    return "%.1f MB" % (value / 1e6)


def whole_upload(args):
    small, large = frames_upload(args, 60), frames_upload(args, 240)
    for upload in (small, large):
        upload.check()
        upload.cat()  # brings the files into the page cache
    cat_times, upload_times, small_rss, large_rss = [], [], [], []
    for _ in range(args.rounds):
        cat_times.append(small.cat()[0])
        seconds, rss = small.upload()
        upload_times.append(seconds)
        small_rss.append(rss)
        large_rss.append(large.upload()[1])
    cat_median = statistics.median(cat_times)
    upload_median = statistics.median(upload_times)
    ratio = upload_median / cat_median
    report("whole upload, 60 frames 1920x1080 RGB",
           "median %.3f s vs cat %.3f s, ratio %.2f (limit %.1f)"
           % (upload_median, cat_median, ratio, UPLOAD_RATIO_LIMIT),
           ratio <= UPLOAD_RATIO_LIMIT)
    peak = max(small_rss)
    report("peak memory, 60 frames", "%s (limit %s)" % (mb(peak), mb(MEMORY_LIMIT)),
           peak <= MEMORY_LIMIT)
    growth = (max(large_rss) - peak) / peak
    report("memory growth, 60 -> 240 frames",
           "%s -> %s, %+.1f %% (limit 5 %%)" % (mb(peak), mb(max(large_rss)), 100 * growth),
           abs(growth) < MEMORY_GROWTH_LIMIT)


def against_cat(args):
    for scenario, files, count, what, limit in CAT_CASES:
        upload = Upload(args, scenario, files, count)
        upload.check()
        upload.cat()
        cat_times, upload_times = [], []
        for _ in range(args.rounds):
            cat_times.append(upload.cat()[0])
            upload_times.append(upload.upload()[0])
        cat_median = statistics.median(cat_times)
        upload_median = statistics.median(upload_times)
        ratio = upload_median / cat_median
        report(what, "median %.3f s vs cat %.3f s, ratio %.2f (limit %.1f)"
               % (upload_median, cat_median, ratio, limit), ratio <= limit)


def playing_order(args):
    upload = Upload(args, "order", ["vga.bin"], 1)
    upload.check()
    runs = [upload.upload(cpu=True) for _ in range(max(3, args.rounds // 2))]
    step = statistics.median(seconds for seconds, _ in runs) / ORDER_STEPS
    report("playing order, %d one-frame steps" % ORDER_STEPS,
           "%.3f us CPU a step (limit %.1f)" % (step * 1e6, ORDER_STEP_LIMIT * 1e6),
           step <= ORDER_STEP_LIMIT)
    peak = max(rss for _, rss in runs)
    report("peak memory, playing order", "%s (limit %s)" % (mb(peak), mb(ORDER_MEMORY_LIMIT)),
           peak <= ORDER_MEMORY_LIMIT)


def check_memory(args):
    """The check of the WAV scenario reads the file's header, not its samples."""
    upload = Upload(args, "wav", ["tone.wav"], 1)
    _, peak = run(upload.argv + ["--check"], upload.cwd, upload.env)
    report("peak memory, check of the 10-min WAV", "%s (limit %s)"
           % (mb(peak), mb(CHECK_MEMORY_LIMIT)), peak <= CHECK_MEMORY_LIMIT)


def check_with_sink(args):
    """The check of the 64-scenario playlist with --sink, against the EDID that --edid
    saves from the simulator, and without it, alternately; the medians are compared."""
    program, env = os.path.abspath(args.program), simulator_env(args)
    run([program, "--edid", "sink.bin", "--interface", "HDMI", "--source-sn", "SIM0001"],
        args.content, env)
    plain = [program, "--playlist", "check.ini", "--check"]
    sink = plain + ["--sink", "sink.bin"]
    run(sink, args.content, env)  # must pass: every scenario fits the built-in sink
    plain_times, sink_times = [], []
    for _ in range(args.rounds):
        plain_times.append(run(plain, args.content, env)[0])
        sink_times.append(run(sink, args.content, env)[0])
    plain_median = statistics.median(plain_times)
    sink_median = statistics.median(sink_times)
    ratio = sink_median / plain_median
    report("check of 64 scenarios with --sink",
           "median %.1f ms vs %.1f ms without, ratio %.2f (limit %.1f)"
           % (1e3 * sink_median, 1e3 * plain_median, ratio, CHECK_SINK_RATIO_LIMIT),
           ratio <= CHECK_SINK_RATIO_LIMIT)


def sleeps(args):
    """Sleep calls during a 60-frame upload, counted by strace when it is installed."""
    if shutil.which("strace") is None:
        print("%-44s not checked (strace is not installed)" % "no sleep in the upload path")
        return
    upload = frames_upload(args, 60)
    log = os.path.join(args.content, "strace.txt")
    subprocess.run(["strace", "-f", "-qq", "-o", log, "-e",
                    "trace=nanosleep,clock_nanosleep,select,pselect6,poll,ppoll"]
                   + upload.argv, cwd=upload.cwd, env=upload.env,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    with open(log) as lines:
        count = sum(1 for line in lines if "(" in line)
    report("no sleep in the upload path", "%d sleeping calls in a 60-frame run" % count,
           count == 0)


def y4m_frames(args):
    """A 10-frame 4K yuv444p10le Y4M made into 6-byte frames by tavrel-content, against
    ffmpeg writing the same frames as raw yuv444p16le files, alternately, medians."""
    if not args.content_program or shutil.which("ffmpeg") is None:
        print("%-44s not measured (no tavrel-content or ffmpeg)" % "tavrel-content frames, 4K Y4M")
        return
    clip = os.path.join(args.content, "clip.y4m")
    if not os.path.exists(clip):
        subprocess.run(["ffmpeg", "-loglevel", "error", "-f", "lavfi", "-i",
                        "testsrc2=size=3840x2160:rate=60", "-frames:v", str(Y4M_FRAMES),
                        "-pix_fmt", "yuv444p10le", "-strict", "-1", "-f", "yuv4mpegpipe", clip],
                       check=True)
    kit = [os.path.abspath(args.content_program), "frames", clip, "--colorspace", "YUV444",
           "--bits", "10", "--out", os.path.join(args.content, "kit", "f000.bin")]
    ffmpeg = ["ffmpeg", "-loglevel", "error", "-y", "-i", clip, "-f", "image2", "-c:v",
              "rawvideo", "-pix_fmt", "yuv444p16le", os.path.join(args.content, "ff", "f%03d.bin")]
    os.makedirs(os.path.join(args.content, "ff"), exist_ok=True)
    run(["cat", clip])
    kit_times, ffmpeg_times = [], []
    for _ in range(max(5, args.rounds // 2)):
        ffmpeg_times.append(run(ffmpeg)[0])
        kit_times.append(run(kit)[0])
    # Only the two outputs: the content's other folders hold frames of their own sizes.
    sizes = {os.path.getsize(f) for folder in ("kit", "ff")
             for f in glob.glob(os.path.join(args.content, folder, "f00[0-9].bin"))}
    if sizes != {3840 * 2160 * 6}:
        sys.exit("tavrel-content or ffmpeg wrote frames of %s bytes" % sorted(sizes))
    kit_median = statistics.median(kit_times)
    ffmpeg_median = statistics.median(ffmpeg_times)
    ratio = kit_median / ffmpeg_median
    report("tavrel-content frames, 4K Y4M 10-bit x %d" % Y4M_FRAMES,
           "median %.3f s vs ffmpeg %.3f s, ratio %.2f (limit %.1f)"
           % (kit_median, ffmpeg_median, ratio, Y4M_RATIO_LIMIT), ratio <= Y4M_RATIO_LIMIT)


def kernels(args):
    out = subprocess.run([args.bench, "--benchmark_format=json", "--benchmark_min_time=0.2",
                          "--benchmark_repetitions=%d" % args.repetitions,
                          "--benchmark_enable_random_interleaving=true",
                          "--benchmark_report_aggregates_only=true"],
                         capture_output=True, text=True, check=True)
    medians = {}
    for entry in json.loads(out.stdout)["benchmarks"]:
        if entry.get("aggregate_name") == "median":
            medians[entry["run_name"]] = entry["bytes_per_second"]
    for name, baseline, what in KERNELS:
        ratio = medians[name] / medians[baseline]
        report("kernel: " + what,
               "%.2f GB/s vs %s %.2f GB/s, ratio %.2f (limit %.1f)"
               % (medians[name] / 1e9, baseline, medians[baseline] / 1e9, ratio,
                  KERNEL_RATIO_LIMIT),
               ratio >= KERNEL_RATIO_LIMIT)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--bench", required=True)
    parser.add_argument("--content", required=True)
    parser.add_argument("--content-program")
    parser.add_argument("--rounds", type=int, default=11)
    parser.add_argument("--repetitions", type=int, default=5)
    args = parser.parse_args()
    load = os.getloadavg()
    print("machine: %d cores, load average %.1f %.1f %.1f at start"
          % (os.cpu_count(), *load), flush=True)
    whole_upload(args)
    against_cat(args)
    playing_order(args)
    check_memory(args)
    check_with_sink(args)
    sleeps(args)
    y4m_frames(args)
    kernels(args)
    print("machine: load average %.1f %.1f %.1f at end" % os.getloadavg())
    print("%d of %d targets held" % (sum(results), len(results)))
    return 0 if all(results) else 1


if __name__ == "__main__":
    sys.exit(main())
