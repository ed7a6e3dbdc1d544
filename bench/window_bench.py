#!/usr/bin/env python3
"""Measures the game in a real window under Xvfb, as a player's machine would run it.

For each speed (60, 75 and 100 frames a second) it starts the game with its timing log on
(VORMELDA_TIMING_LOG), plays a stretch of a recorded game (`vormelda --replay`, with no look-ahead or other
help) and prints, per speed: the share of frames handed to the renderer (SDL_RenderPresent
called) at an interval within 1 ms of the frame rule (17, 14 and 11 ms: the first millisecond past
1000 / rate), in brackets the same for the presents' returns (which include the renderer's own
work, a software GL's under Xvfb), the median, 99th percentile and longest interval, the CPU of the whole process, of its main thread and of the other threads, and
the time from start to the title screen. It also times the headless runner's start to the title,
and with --audio plays the committed perfect game through SDL's disk audio driver, counts the
mixed samples at full scale and times the credits' frames (34 ms).

With --windows ZIP it measures the Windows game of that zip under Wine instead (the recordings
still come from the Linux build); the start to the title is then not timed.

Usage: bench/window_bench.py BUILD_DIR [--seconds N] [--load N] [--audio] [--windows ZIP]
BUILD_DIR is a release build folder (build/release): its game/ is used.
"""
import argparse
import math
import os
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import time
import zipfile

TITLE = "Vormelda"
COMMENT = "#あなたのハイスコアです。（上限は35450です）"
CERTIFICATES = ["★最高点の証★.txt", "●ノーミス・ノーボムの証●.txt"]
RULE_MS = {60: 17, 75: 14, 100: 11, 30: 34}
HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(HERE)


def start_xvfb(work):
    read, write = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
        pass_fds=[write], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read, 16)
        if not chunk:
            sys.exit("Xvfb did not start")
        number += chunk
    os.close(read)
    return xvfb, ":" + number.decode().strip()


def game_folder(game_dir, work, name, windows_zip=None):
    folder = os.path.join(work, name)
    if windows_zip:
        with zipfile.ZipFile(windows_zip) as z:
            z.extractall(folder)
        folder = os.path.join(folder, os.listdir(folder)[0])
    else:
        os.makedirs(folder)
        shutil.copy(os.path.join(game_dir, "vormelda"), folder)
        for sub in ("Picture", "Music"):
            shutil.copytree(os.path.join(game_dir, sub), os.path.join(folder, sub))
    with open(os.path.join(folder, "HighScore.ini"), "w", encoding="utf-8", newline="") as f:
        f.write(COMMENT + "\r\n00000\r\n")
    for name in CERTIFICATES:
        with open(os.path.join(folder, name), "w", encoding="utf-8") as f:
            f.write("x\r\n")
    return folder


def cpu_ticks(pid):
    """Each thread's user and system clock ticks, by thread id: (name, ticks)."""
    out = {}
    for tid in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{tid}/stat") as f:
                stat = f.read()
        except OSError:
            continue
        name = stat[stat.index("(") + 1:stat.rindex(")")]
        fields = stat[stat.rindex(")") + 2:].split()
        out[int(tid)] = (name, int(fields[11]) + int(fields[12]))
    return out


def percentile(values, p):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(round(p / 100 * (len(ordered) - 1))))]


def recording_for(fps, build, work):
    """A perfect game at this speed, recorded by the autoplay headless (the committed one at 60)."""
    if fps == 60:
        return os.path.join(REPO, "tests", "data", "perfect_game_seed4.txt")
    folder = game_folder(os.path.join(build, "game"), work, f"record{fps}")
    path = os.path.join(work, f"perfect{fps}.txt")
    subprocess.run([os.path.join(build, "game", "vormelda-sim"), "--data", folder,
                    f"--autoplay={fps}", "--seed", "3", "--record", path],
                   check=True, stdout=subprocess.DEVNULL)
    return path


def windows_path(path, args):
    """The path as the Windows game names it, under Wine; as it is natively."""
    if not args.windows:
        return path
    return subprocess.run(["winepath", "-w", path], capture_output=True, text=True,
                          env=args.env).stdout.strip()


def game_command(folder, args, *options):
    """The game of the folder with these options, natively or under Wine."""
    if args.windows:
        return ["wine", os.path.join(folder, "vormelda.exe")] + [
            windows_path(o, args) if os.path.isabs(o) else o for o in options]
    return [os.path.join(folder, "vormelda")] + list(options)


def close_game(game, args, display):
    """Ends the game as a player would, so that it writes its timing log."""
    if not args.windows:
        game.terminate()  # SDL turns it into a close of the window
    else:
        env = dict(args.env, DISPLAY=display)
        windows = subprocess.run(["xdotool", "search", "--name", f"^{TITLE}$"], env=env,
                                 capture_output=True, text=True).stdout.split()
        for window in windows:
            subprocess.run(["xdotool", "key", "--window", window, "alt+F4"], env=env,
                           stderr=subprocess.DEVNULL)
    game.wait(timeout=20)


def measure_speed(fps, args, display, work):
    folder = game_folder(os.path.join(args.build, "game"), work, f"game{fps}", args.windows)
    log = os.path.join(work, f"timing{fps}.txt")
    env = dict(args.env, DISPLAY=display, SDL_AUDIODRIVER="dummy",
               VORMELDA_TIMING_LOG=windows_path(log, args))
    recording = recording_for(fps, args.build, work)
    started = time.monotonic_ns()
    game = subprocess.Popen(game_command(folder, args, "--replay", recording), cwd=folder,
                            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(args.settle)  # loading, the title and the stage's intro
    before = cpu_ticks(game.pid)
    time.sleep(args.seconds)
    after = cpu_ticks(game.pid)
    close_game(game, args, display)

    # The stretch by the game's own clock: the last seconds before it was closed.
    notes = []
    with open(log) as f:
        for line in f:
            kind, ns, rest = (line.rstrip("\n").split(" ", 2) + [""])[:3]
            notes.append((kind, int(ns), rest))
    t1 = max(ns for _, ns, _ in notes)
    t0 = t1 - int(args.seconds * 1e9)
    presents = [ns for kind, ns, _ in notes if kind == "present" and t0 <= ns <= t1]
    ends = [int(rest) for kind, ns, rest in notes if kind == "present" and t0 <= ns <= t1]
    title_at = next((ns for kind, ns, rest in notes if kind == "caption" and rest == TITLE), None)
    if args.windows:
        title_at = None  # Wine's clock is not Linux's
    intervals = [(b - a) / 1e6 for a, b in zip(presents, presents[1:])]
    end_intervals = [(b - a) / 1e6 for a, b in zip(ends, ends[1:])]
    rule = RULE_MS[fps]
    def within(values):
        return 100.0 * sum(1 for i in values if abs(i - rule) <= 1.0) / max(1, len(values))
    hz = os.sysconf("SC_CLK_TCK")
    seconds = args.seconds

    def share(tids):
        ticks = sum(after[t][1] - before.get(t, (None, 0))[1] for t in tids if t in after)
        return 100.0 * ticks / hz / seconds
    others = [t for t in after if t != game.pid]
    return {
        "fps": fps, "frames": len(intervals), "within": within(intervals),
        "done": within(end_intervals),
        "p50": statistics.median(intervals), "p99": percentile(intervals, 99),
        "max": max(intervals), "process": share(list(after)), "main": share([game.pid]),
        "others": share(others), "startup": (title_at - started) / 1e6 if title_at else float("nan"),
    }


def headless_startup(args, work):
    folder = game_folder(os.path.join(args.build, "game"), work, "headless")
    times = []
    for _ in range(7):
        t = time.monotonic()
        subprocess.run([os.path.join(args.build, "game", "vormelda-sim"), "--data", folder,
                        "--ticks", "1"], check=True)
        times.append((time.monotonic() - t) * 1000)
    return statistics.median(times)


def full_scale_samples(args, display, work):
    folder = game_folder(os.path.join(args.build, "game"), work, "audio")
    raw = os.path.join(work, "mix.raw")
    log = os.path.join(work, "timing_audio.txt")
    env = dict(os.environ, DISPLAY=display, SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=raw,
               VORMELDA_TIMING_LOG=log)
    subprocess.run([os.path.join(folder, "vormelda"), "--replay",
                    os.path.join(REPO, "tests", "data", "perfect_game_seed4.txt")],
                   cwd=folder, env=env, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    with open(raw, "rb") as f:
        data = f.read()
    samples = struct.unpack(f"<{len(data) // 2}h", data[:len(data) // 2 * 2])
    full = sum(1 for s in samples if s >= 32767 or s <= -32768)
    peak = max(abs(s) for s in samples) if samples else 0
    # The credits run at 30 frames a second: their frames are the intervals of 25 to 60 ms after
    # the first (which holds the scene's start: the certificates and the high score written).
    with open(log) as f:
        presents = [int(line.split()[1]) for line in f if line.startswith("present")]
    intervals = [(b - a) / 1e6 for a, b in zip(presents, presents[1:])]
    credits = [i for before, i in zip(intervals, intervals[1:])
               if 25 <= i < 60 and 25 <= before < 60]
    within = 100.0 * sum(1 for i in credits if abs(i - RULE_MS[30]) <= 1.0) / max(1, len(credits))
    return full, len(samples) / 2 / 44100, peak, len(credits), within


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("build", help="a release build folder, e.g. build/release")
    parser.add_argument("--seconds", type=float, default=20.0, help="length of each stretch")
    parser.add_argument("--settle", type=float, default=4.0, help="seconds before a stretch")
    parser.add_argument("--load", type=int, default=0, help="busy processes beside the game")
    parser.add_argument("--audio", action="store_true",
                        help="also play the whole perfect game and count full-scale samples")
    parser.add_argument("--windows", metavar="ZIP", help="measure this Windows zip under Wine")
    args = parser.parse_args()
    args.build = os.path.abspath(args.build)
    work = tempfile.mkdtemp(prefix="vormelda-bench-")
    xvfb, display = start_xvfb(work)
    args.env = dict(os.environ)
    if args.windows:
        args.windows = os.path.abspath(args.windows)
        args.env.update(WINEPREFIX=os.path.join(work, "wine"), WINEDEBUG="-all", DISPLAY=display)
        subprocess.run(["wineboot", "-i"], env=args.env, check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
    load = [subprocess.Popen(["sh", "-c", "while :; do :; done"]) for _ in range(args.load)]
    try:
        print(f"load: {args.load} busy processes; stretches of {args.seconds:.0f} s")
        print("rate  frames  within±1ms (done)   p50    p99    max   cpu:process main others  start")
        for fps in (60, 75, 100):
            r = measure_speed(fps, args, display, work)
            print(f"{r['fps']:>4} {r['frames']:>7} {r['within']:>9.1f}% ({r['done']:>5.1f}%) {r['p50']:>6.2f} "
                  f"{r['p99']:>6.2f} {r['max']:>6.2f}     {r['process']:>6.1f}% {r['main']:>4.1f}% "
                  f"{r['others']:>5.1f}%  {r['startup']:>5.0f} ms")
        if not args.windows:
            print(f"headless start to the title (median of 7): "
                  f"{headless_startup(args, work):.0f} ms")
        if args.audio and not args.windows:
            full, seconds, peak, frames, within = full_scale_samples(args, display, work)
            print(f"mixed samples at full scale over {seconds:.0f} s: {full} "
                  f"(peak {peak}, {20 * math.log10(max(peak, 1) / 32768):.1f} dBFS)")
            print(f"credits at 30: {within:.1f}% of {frames} frames within 1 ms of 34 ms")
    finally:
        for p in load:
            p.kill()
        if args.windows:
            subprocess.run(["wineserver", "-k"], env=args.env)
        xvfb.terminate()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
