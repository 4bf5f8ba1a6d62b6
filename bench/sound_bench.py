#!/usr/bin/env python3
"""What sound costs, side by side in one run: a build without sound against one with
it, in the real windows under Xvfb, each measured in turns (median of 3): the share of
a core and the wake-ups a second of the menu left alone, of a round without input (its
first 40 s, before the last seconds tick) and of a round with a shot a second (R after
every fifth); then how late a sound comes (krax_sound_latency beside the sound build).

    bench/sound_bench.py SILENT_KRAX SOUND_KRAX [SECONDS]

Sound goes to the driver SDL_AUDIODRIVER names, else to a null sink of a PulseAudio
server of the bench's own where `pulseaudio` is installed (the server's own work is not
counted), else to SDL's dummy driver.
Wake-ups and CPU are counted as bench/window_bench.py counts them, the main thread's
returns from a wait, all threads' and all threads' CPU, but read every 20 ms, so that
audio threads that end meanwhile count too (bench/x_session.py).
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from x_session import START_BUTTON, ThreadSampler, free_display, menu_window  # noqa: E402

GROUND = (20, 510)  # a pixel of bare ground on the game screen, clear of every hole


def start_pulse(folder):
    """A PulseAudio server with a null sink, and the environment that finds it; or None
    where SDL_AUDIODRIVER names a driver already, or no PulseAudio is installed."""
    if os.environ.get("SDL_AUDIODRIVER"):
        return None, {}
    if not shutil.which("pulseaudio"):
        return None, {"SDL_AUDIODRIVER": "dummy"}
    socket = os.path.join(folder, "native")
    env = {**os.environ, "HOME": folder, "XDG_RUNTIME_DIR": folder, "PULSE_RUNTIME_PATH": folder}
    server = subprocess.Popen(["pulseaudio", "-n", "--use-pid-file=no", "--daemonize=no", "--exit-idle-time=-1",
                               "-L", "module-null-sink sink_name=null",
                               "-L", f"module-native-protocol-unix socket={socket} auth-anonymous=1"],
                              env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(50):
        if os.path.exists(socket):
            return server, {"SDL_AUDIODRIVER": "pulseaudio", "PULSE_SERVER": f"unix:{socket}"}
        time.sleep(0.1)
    server.kill()
    return None, {"SDL_AUDIODRIVER": "dummy"}


def xdotool(env, *args):
    subprocess.run(["xdotool", *args], env=env, check=True)


def measure(krax, env, scenario, seconds):
    game = subprocess.Popen([krax, "--scale", "1", "--seed", "1"], env=env, stderr=subprocess.DEVNULL)
    try:
        window = menu_window(env)
        time.sleep(0.5)
        if scenario != "menu":
            xdotool(env, "mousemove", "--window", window, *map(str, START_BUTTON), "sleep", "0.2", "click", "1")
        # START's click has played, and its device closed again, before the count begins.
        time.sleep(4)
        if scenario == "shots":
            game_window = menu_window(env)  # the game screen has the menu's caption
            xdotool(env, "windowfocus", "--sync", game_window)
            xdotool(env, "mousemove", "--window", game_window, *map(str, GROUND))
        sampler, t0 = ThreadSampler(game.pid), time.monotonic()
        shots = 0
        while time.monotonic() - t0 < seconds:
            if scenario == "shots":
                xdotool(env, "click", "1")
                shots += 1
                if shots % 5 == 0:
                    xdotool(env, "key", "r")
            time.sleep(max(0.0, t0 + shots - time.monotonic()) if scenario == "shots" else seconds)
        counted, elapsed = sampler.finish(), time.monotonic() - t0
        cpu, main, every = (n / elapsed for n in counted)
        return 100 * cpu / 1e9, main, every
    finally:
        game.kill()
        game.wait()


def main():
    silent, sound = (os.path.abspath(p) for p in sys.argv[1:3])
    seconds = float(sys.argv[3]) if len(sys.argv) > 3 else 10.0
    display = free_display()
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                            stderr=subprocess.DEVNULL)
    folder = tempfile.mkdtemp(prefix="krax-sound-bench-")
    pulse, audio = start_pulse(folder)
    # The choice of sound and the rounds the game keeps go to the benchmark's own folder.
    env = {**os.environ, "DISPLAY": display, "XDG_CONFIG_HOME": folder, "XDG_STATE_HOME": folder, **audio}
    try:
        time.sleep(1)
        output = "a PulseAudio null sink" if pulse else f"SDL's {env.get('SDL_AUDIODRIVER', 'dummy')} driver"
        print(f"sound to {output}; {seconds:g} s each, median of 3")
        print(f"{'what':34} {'% of a core':>12} {'wake-ups/s':>11} {'all threads':>12}")
        for scenario, label in (("menu", "menu left alone"), ("round", "round without input"),
                                ("shots", "round, a shot a second")):
            results = {silent: [], sound: []}
            for _ in range(3):
                for krax in (silent, sound):  # in turns, so that both meet the same noise
                    results[krax].append(measure(krax, env, scenario, seconds))
            for krax, name in ((silent, "silent"), (sound, "sound")):
                cpu, main_, every = (statistics.median(r[i] for r in results[krax]) for i in range(3))
                print(f"{label + ', ' + name:34} {cpu:12.2f} {main_:11.1f} {every:12.1f}")
        latency = os.path.join(os.path.dirname(sound), "krax_sound_latency")
        if os.path.exists(latency):
            print(subprocess.run([latency], env=env, capture_output=True, text=True).stdout, end="")
        if pulse and shutil.which("pacat"):
            # The null sink alone sleeps up to seconds while no stream plays on it, and a
            # stream that joins then may wait for its first request as long; a sink that
            # something else plays on, as a desktop's often does, answers at once.
            print("the same with another stream playing on the sink all along:")
            other = subprocess.Popen(["pacat", "--latency-msec=20", "/dev/zero"], env=env, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
            try:
                print(subprocess.run([latency], env=env, capture_output=True, text=True).stdout, end="")
            finally:
                other.kill()
                other.wait()
    finally:
        if pulse:
            pulse.terminate()
            pulse.wait()
        xvfb.terminate()
        xvfb.wait()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
