#!/usr/bin/env python3
"""What a key costs in the code box when it changes nothing: the box is filled to its
cap of 1 000 characters, then KEYS more keys are typed and the CPU the game spends on
them is divided by their number. Under Xvfb at --scale 2, side by side for each krax
given (alternating, ROUNDS times), and whether the box started Mesa's rasteriser.

    bench/code_box_bench.py [--keys KEYS] [--rounds ROUNDS] KRAX [KRAX ...]

Needs Xvfb and xdotool. CPU is all of the game's threads; the X server's is not counted.
"""
import argparse
import os
import statistics
import subprocess
import tempfile
import time

SCREEN = (1280, 1200)
SCALE = 2
START_BUTTON = (351, 343)  # the centre of START on the menu, in pixels at scale 1
CAP = 1000
MESA = ("swrast_dri", "llvmpipe", "libgallium", "kms_swrast")


def cpu_ns(pid):
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
        except FileNotFoundError:
            pass
    return total


def settled_cpu(pid):
    """The CPU counter once the game has caught up with its input (no growth for 0.5 s)."""
    last = cpu_ns(pid)
    while True:
        time.sleep(0.5)
        now = cpu_ns(pid)
        if now - last < 2_000_000:
            return now
        last = now


def xdotool(env, *args, timeout=30):
    return subprocess.run(["xdotool", *args], env=env, check=True, capture_output=True, text=True,
                          timeout=timeout).stdout.split()


def mesa_loaded(pid):
    with open(f"/proc/{pid}/maps") as f:
        return any(name in f.read() for name in MESA)


def measure(env, krax, keys):
    game = subprocess.Popen([krax, "--scale", str(SCALE), "--seed", "1"], env=env, stderr=subprocess.DEVNULL)
    try:
        menu = xdotool(env, "search", "--sync", "--onlyvisible", "--name", "KRAX 1.0")[0]
        time.sleep(0.5)
        x, y = (str(c * SCALE) for c in START_BUTTON)
        xdotool(env, "mousemove", "--window", menu, x, y, "sleep", "0.2", "click", "1")
        time.sleep(1)
        game_window = xdotool(env, "search", "--sync", "--onlyvisible", "--name", "KRAX 1.0")[0]
        xdotool(env, "windowfocus", "--sync", game_window, "key", "Up")
        box = xdotool(env, "search", "--sync", "--onlyvisible", "--name", "Backdoor")[0]
        xdotool(env, "windowfocus", "--sync", box)
        xdotool(env, "type", "--delay", "0", "a" * CAP, timeout=600)
        before = settled_cpu(game.pid)
        xdotool(env, "key", "--delay", "0", *(["b"] * keys), timeout=600)
        after = settled_cpu(game.pid)
        return (after - before) / keys / 1e6, mesa_loaded(game.pid)
    finally:
        game.kill()
        game.wait()


def measured(env, krax, keys):
    """A game that vanishes on the way (an X error on a window change) is played again."""
    for _ in range(3):
        try:
            return measure(env, krax, keys)
        except (subprocess.CalledProcessError, subprocess.TimeoutExpired, IndexError):
            print(f"{krax}: the game did not get to the code box; once more", flush=True)
    raise SystemExit(f"code_box_bench: {krax} did not get to the code box three times")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--keys", type=int, default=1000)
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("krax", nargs="+")
    args = parser.parse_args()
    display = next(f":{n}" for n in range(140, 200) if not os.path.exists(f"/tmp/.X11-unix/X{n}"))
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24", "-nolisten", "tcp"],
                            stderr=subprocess.DEVNULL)
    # The rounds the game keeps go to a folder of the benchmark's own.
    state = tempfile.TemporaryDirectory(prefix="krax-bench-")
    env = {**os.environ, "DISPLAY": display, "LIBGL_ALWAYS_SOFTWARE": "1", "XDG_STATE_HOME": state.name}
    try:
        time.sleep(1)
        costs = {krax: [] for krax in args.krax}
        mesa = {}
        for _ in range(args.rounds):
            for krax in args.krax:  # alternating, so that each meets the same noise
                ms, mesa[krax] = measured(env, krax, args.keys)
                costs[krax].append(ms)
        for krax in args.krax:
            print(f"{krax}: {statistics.median(costs[krax]):.3f} ms of CPU per ignored key at scale {SCALE}"
                  f" (median of {args.rounds}, {args.keys} keys each; each: "
                  + ", ".join(f"{c:.3f}" for c in costs[krax])
                  + f"); Mesa's rasteriser {'started' if mesa[krax] else 'not started'}")
    finally:
        xvfb.terminate()
        xvfb.wait()
        state.cleanup()


if __name__ == "__main__":
    main()
