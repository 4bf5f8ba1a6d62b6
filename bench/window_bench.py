#!/usr/bin/env python3
"""What the real windows cost, under Xvfb with Mesa's software renderer, side by side
in one run: the share of a core and the wake-ups a second of the menu left idle and of
a round without input (its first 40 s, before the bar blinks), with quiet timers
sleeping and with --every-tick, at scales 1 and 2; and the time from exec to the first
frame against a bare SDL window of the same size.

    bench/window_bench.py [BUILD_DIR] [SECONDS]

Needs Xvfb and xdotool. Wake-ups are the returns from a wait (voluntary context
switches) of the main thread, and of all threads with the renderer's own; CPU is all
threads'. The X server's work is not counted.
"""
import os
import statistics
import subprocess
import tempfile
import sys
import time

from x_session import START_BUTTON, counters, free_display, menu_window

BUILD = sys.argv[1] if len(sys.argv) > 1 else "build"
SECONDS = float(sys.argv[2]) if len(sys.argv) > 2 else 10.0
KRAX = os.path.join(BUILD, "bin", "krax")
BARE = os.path.join(BUILD, "bin", "krax_bare_window")
FIRST_FRAME = os.path.abspath(os.path.join(BUILD, "bench", "libkrax_first_frame.so"))
SCREEN = (1280, 1024)


def measure(env, args, play_round):
    game = subprocess.Popen([KRAX, *args], env=env, stderr=subprocess.DEVNULL)
    try:
        window = menu_window(env)
        time.sleep(0.5)
        scale = int(args[args.index("--scale") + 1])
        if play_round:
            x, y = (str(c * scale) for c in START_BUTTON)
            subprocess.run(["xdotool", "mousemove", "0", "0", "sleep", "0.2", "mousemove", "--window", window, x, y,
                            "sleep", "0.2", "click", "1"], env=env, check=True)
        time.sleep(2)
        before = counters(game.pid)
        t0 = time.monotonic()
        time.sleep(SECONDS)
        after = counters(game.pid)
        elapsed = time.monotonic() - t0
        cpu, main, every = ((a - b) / elapsed for a, b in zip(after, before))
        return 100 * cpu / 1e9, main, every
    finally:
        game.kill()
        game.wait()


def first_frame(env, command):
    start = time.monotonic_ns()
    done = subprocess.run(command, env={**env, "LD_PRELOAD": FIRST_FRAME}, capture_output=True, text=True, timeout=30)
    words = [line.split() for line in done.stderr.splitlines() if line.startswith("first-frame ")][0]
    return (int(words[1]) - start) / 1e6, int(words[2]), int(words[3])


def main():
    display = free_display()
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24", "-nolisten", "tcp"],
                            stderr=subprocess.DEVNULL)
    # The rounds the game keeps go to a folder of the benchmark's own.
    state = tempfile.TemporaryDirectory(prefix="krax-bench-")
    env = {**os.environ, "DISPLAY": display, "LIBGL_ALWAYS_SOFTWARE": "1", "XDG_STATE_HOME": state.name}
    try:
        time.sleep(1)
        print(f"{'what':32} {'% of a core':>12} {'wake-ups/s':>11} {'all threads':>12}")
        for scale in ("1", "2"):
            for label, round_, extra in (("menu", False, []), ("round", True, []),
                                         ("round, --every-tick", True, ["--every-tick"])):
                cpu, main, every = measure(env, ["--scale", scale, "--seed", "1", *extra], round_)
                print(f"{label + ', scale ' + scale:32} {cpu:12.2f} {main:11.1f} {every:12.1f}")
        for scale in ("1", "2"):
            krax, bare = [], []
            for _ in range(7):  # alternating, so that both meet the same noise
                ms, w, h = first_frame(env, [KRAX, "--scale", scale])
                krax.append(ms)
                bare.append(first_frame(env, [BARE, str(w), str(h)])[0])
            k, b = statistics.median(krax), statistics.median(bare)
            print(f"exec to first frame, scale {scale} ({w}x{h}): krax {k:.1f} ms, bare SDL window {b:.1f} ms"
                  f" ({100 * (k - b) / b:+.0f} %), medians of 7")
    finally:
        xvfb.terminate()
        xvfb.wait()
        state.cleanup()


if __name__ == "__main__":
    main()
