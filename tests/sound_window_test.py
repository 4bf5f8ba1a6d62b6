#!/usr/bin/env python3
"""The game's sound in its real windows. SDL's disk audio driver writes every sample
the game plays into a named pipe, whose stream must hold each effect's samples exactly
as the synthesizer's pins have them (tests/sound_sums.hpp), and nothing while sound is
off.

Four starts of the game on one X server, sharing one remembered choice:
1. sound on: START clicks, a hit is heard as a pig or a dog; M turns sound off and a
   shot is not heard; M turns it on and a shot is; a last M leaves it off, remembered;
2. the next start plays silent, as remembered;
3. --mute plays silent although the choice remembered is on;
4. with no device to play on (ALSA asked for a card that is not there), the game
   plays on and says so in one line.
tests/windows/sound_window_test.py plays the same under Wine.

usage: sound_window_test.py KRAX SOUND_SUMS_HPP
exit 0 passed, 1 failed, 77 skipped (no X server here)
"""

import os
import re
import shutil
import struct
import sys
import tempfile
import threading
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import window_test as w  # noqa: E402  the X server, the session and the checks
from window_test import Failed, check, wait_for  # noqa: E402

# The effects' names in sound_sums.hpp and in scripts.
NAMES = {"Click": "click", "PigHit": "pig", "DogHit": "dog", "Throw": "throw"}


def pinned_sums(header):
    """name -> (length, checksum) of the effects this test listens for."""
    with open(header) as f:
        found = re.findall(r"\{sound::Effect::(\w+), (\d+), (0x[0-9a-f]+)\}", f.read())
    return {NAMES[e]: (int(n), int(c, 16)) for e, n, c in found if e in NAMES}


def checksum(samples):
    """FNV-1a over the samples as little-endian bytes, as sound_sums.hpp has it."""
    h = 2166136261
    for byte in struct.pack(f"<{len(samples)}h", *samples):
        h = ((h ^ byte) * 16777619) & 0xFFFFFFFF
    return h


class Output:
    """What the game's audio device was handed: 16-bit mono samples at 48 kHz. SDL's
    disk driver writes them to a named pipe, opened anew each time the game opens its
    device; a thread reads every opening's samples into one stream."""

    def __init__(self, path):
        os.mkfifo(path)
        self.path = path
        self.data = bytearray()
        self.lock = threading.Lock()
        threading.Thread(target=self.read, daemon=True).start()

    def read(self):
        while True:
            with open(self.path, "rb") as pipe:  # until the game opens its device
                while chunk := pipe.read(4096):
                    with self.lock:
                        self.data += chunk

    def size(self):
        with self.lock:
            return len(self.data) // 2

    def samples(self, start=0):
        with self.lock:
            data = bytes(self.data[start * 2: len(self.data) // 2 * 2])
        return list(struct.unpack(f"<{len(data) // 2}h", data))

    def find(self, sums, start):
        """The first effect of `sums` whose samples come whole after sample `start`:
        (name, its first sample's index); sounds start where a silence ends."""
        x = self.samples(start)
        for i in range(1, len(x)):
            if x[i] == 0 or x[i - 1] != 0:
                continue
            for name, (length, pinned) in sums.items():
                for first in range(max(0, i - 8), i):
                    if checksum(x[first:first + length]) == pinned:
                        return name, start + first
        return None


def keyed(s, game, count):
    """Presses M and waits until the game has handled its `count`-th key release."""
    s.keys(game, "m")
    wait_for(lambda: s.lines().count("keyup 77") >= count, "M in the recording", 5)


def heard(out, sums, start, what):
    found = wait_for(lambda: out.find(sums, start), what, 5)
    first = found[1] + next(i for i, v in enumerate(out.samples(found[1])) if v)
    check(True, f"{what}: {found[0]} at sample {found[1]}, first non-silent samples "
                f"{out.samples(first)[:6]}")
    return found


def silent(out, start, what):
    time.sleep(0.6)  # longer than a throw and the device's buffers
    loud = [v for v in out.samples(start) if v]
    check(not loud, f"{what}: {out.size() - start} samples written, all silent")


def started(s):
    menu = s.window(*w.MENU, timeout=60)
    s.click(menu, *s.centre("Form1", "Image5"))  # START
    game = s.window(*w.GAME, timeout=20)
    s.focus(game)
    return game


def sound_on(s, out, sums, config):
    game = started(s)
    heard(out, {"click": sums["click"]}, 0, "START clicks")
    mark = out.size()
    w.hit_shown_target(s, game)
    heard(out, {k: sums[k] for k in ("pig", "dog")}, mark, "a hit sounds")
    time.sleep(0.4)  # its end
    keyed(s, game, 1)
    mark = out.size()
    s.shoot_ground(game)
    silent(out, mark, "after M, a shot")
    keyed(s, game, 2)
    mark = out.size()
    s.shoot_ground(game)
    heard(out, {"throw": sums["throw"]}, mark, "after M again, a shot")
    keyed(s, game, 3)
    with open(config) as f:
        check(f.read() == "off\n", "the last M is remembered: sound off")


def sound_off(s, out):
    game = started(s)
    s.shoot_ground(game)
    silent(out, 0, "START and a shot")


def no_device(s, out):
    game = started(s)
    s.shoot_ground(game)
    s.shoot_ground(game)
    s.x.close_box(game)
    status = s.game.wait(timeout=10)
    s.errors.seek(0)
    errors = s.errors.read().splitlines()
    check(status == 0 and len(errors) == 1 and errors[0].startswith("krax: no sound: "),
          f"with no device the game plays silent, saying so once: {errors}")


def one_start(session_of, workdir, name, args, play, env=None):
    """Plays `play` in one start of the game, made by session_of(env, args, raw file)."""
    raw = os.path.join(workdir, name + ".raw")
    session = session_of(env, args, raw)
    try:
        play(session, Output(raw))
    except Exception:
        session.errors.seek(0)
        print("the game's standard error:", session.errors.read().strip() or "(empty)")
        raise
    finally:
        session.stop()


def play_all(session_of, workdir, header, config, no_device_env):
    """The four starts; `config` is where the game keeps the choice."""
    sums = pinned_sums(header)
    one_start(session_of, workdir, "on", (), lambda s, out: sound_on(s, out, sums, config))
    one_start(session_of, workdir, "remembered", (), sound_off)
    with open(config, "w") as f:
        f.write("on\n")
    one_start(session_of, workdir, "muted", ("--mute",), sound_off)
    one_start(session_of, workdir, "none", (), no_device, no_device_env)


def run(play):
    """Runs `play(display, workdir)` on an X server of its own: the exit status."""
    missing = [t for t in ("Xvfb", "xdotool", "xprop") if not shutil.which(t)]
    if missing:
        print("SKIPPED: the sound window test needs " + ", ".join(missing))
        return w.SKIPPED
    started_x = w.start_x_server()
    if not started_x:
        print("SKIPPED: no X server would start")
        return w.SKIPPED
    server, display = started_x
    try:
        with tempfile.TemporaryDirectory(prefix="krax-sound-window-") as workdir:
            play(display, workdir)
        return 0
    except Exception as failure:
        print("FAILED:", failure if isinstance(failure, Failed) else repr(failure))
        if not isinstance(failure, Failed):
            traceback.print_exc(file=sys.stdout)
        return 1
    finally:
        server.terminate()
        server.wait()


def main():
    krax, header = os.path.abspath(sys.argv[1]), sys.argv[2]

    def play(display, workdir):
        def session_of(env, args, raw):
            env = env or {"SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": raw}
            return w.Session(krax, display, workdir, env, args)
        # ALSA asked for a card that is not there.
        play_all(session_of, workdir, header, os.path.join(workdir, "config", "krax", "sound"),
                 {"SDL_AUDIODRIVER": "alsa", "AUDIODEV": "hw:99"})
    return run(play)


if __name__ == "__main__":
    sys.exit(main())
