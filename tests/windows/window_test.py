#!/usr/bin/env python3
"""krax.exe in its real windows under Wine, played with real X input, and the same
game on Linux.

Starts an X server of its own (Xvfb), runs `krax.exe --record` under Wine with a fixed
seed and plays with xdotool: START, a shot at the bare ground, a hit on a target that
came up, then the game window's close box. What the live game holds is read, as in the
Linux window test, by playing the recording so far with the Linux build; at the end
the Linux build replays the whole recording, whose last lines expect the state the
Windows game ended in. The round the game kept in %LOCALAPPDATA%\KRAX\rounds (in the
tests' own Wine prefix, where Wine sets LOCALAPPDATA itself) must play on Linux too,
and is then removed.

usage: window_test.py WINE KRAX_EXE LINUX_KRAX
exit 0 passed, 1 failed, 77 skipped (no X server, or no Linux build to compare with)
"""

import glob
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import window_test as linux  # noqa: E402  the X connection, the server and the checks
from window_test import Failed, check, wait_for  # noqa: E402

GAME = linux.GAME
MENU = linux.MENU
SEED = linux.SEED
# A name in three scripts: the recording's file name goes through the wide command line.
RECORDING = "séance-запись-記録.script"


class WineSession(linux.Session):
    """The Linux window test's session, with the game run by Wine and its state read
    through the Linux build."""

    def __init__(self, wine, exe, krax, display, workdir, game_env=None, args=()):
        self.krax = krax
        self.env = dict(os.environ, DISPLAY=f":{display}")
        for name in ("WAYLAND_DISPLAY", "SDL_VIDEODRIVER"):
            self.env.pop(name, None)
        # Sound into SDL's dummy device unless the test says otherwise: Wine here has no
        # sound device of its own.
        self.env["SDL_AUDIODRIVER"] = "dummy"
        self.x = linux.XConnection(display)
        self.recording = os.path.join(workdir, RECORDING)
        self.probe = os.path.join(workdir, "probe.script")
        self.errors = open(os.path.join(workdir, "krax.err"), "w+")
        # At the Linux test's scale, which Wine's own 96 dpi would not give.
        self.game = subprocess.Popen([wine, exe, "--scale", str(linux.SCALE), "--seed", str(SEED), "--record", RECORDING,
                                      *args],
                                     env=dict(self.env, **(game_env or {})), cwd=workdir, stderr=self.errors)

    def windows(self):
        """The shown top-level windows with the game's captions: id -> (caption, x, y,
        width, height). Wine's windows are the only ones on this X server."""
        found = {}
        for wid in self.x.stacking():
            try:
                name = (self.x.property(wid, "WM_NAME") or b"").decode()
                if name in (MENU[0], GAME[0]) and self.x.viewable(wid):
                    found[wid] = (name,) + self.x.geometry(wid)
            except linux.Gone:
                pass
        return found

    def lines(self):
        if not os.path.exists(self.recording):
            return []
        return super().lines()


def play(s):
    menu = s.window(*MENU, timeout=60)
    s.click(menu, *s.centre("Form1", "Image5"))  # START
    game = s.window(*GAME, timeout=20)
    s.gone(menu)
    check(s.state("App.ActiveForm")["App.ActiveForm"] == "Form2", "START opens the game screen")

    s.shoot_ground(game)
    paths = ("Form2.intTimeLeft", "Form2.intBullets")
    shot, unshot = s.effect(s.click_lines("Form2", *linux.GROUND), *paths)
    check(int(shot[paths[0]]) == int(unshot[paths[0]]) - 1 and int(shot[paths[1]]) == int(unshot[paths[1]]) - 1,
          "a shot at the bare ground costs a second and a carrot")
    linux.hit_shown_target(s, game)

    linux.close_cleanly(s, game, timeout=30)


def kept_rounds():
    """The files in the folders of kept rounds of the Wine prefix that wine.sh uses."""
    cache = os.environ.get("XDG_CACHE_HOME") or os.path.join(os.path.expanduser("~"), ".cache")
    prefix = os.environ.get("KRAX_WINEPREFIX") or os.path.join(cache, "krax", "wine")
    return set(glob.glob(os.path.join(prefix, "drive_c", "users", "*", "AppData", "Local", "KRAX", "rounds", "*")))


def check_kept_round(krax, before):
    new = sorted(kept_rounds() - before)
    try:
        check(len(new) == 1 and os.path.basename(new[0]).startswith("round-"),
              f"the round is kept in %LOCALAPPDATA%\\KRAX\\rounds: {[os.path.basename(f) for f in new]}")
        replay = subprocess.run([krax, "--headless", "--script", new[0]], capture_output=True, text=True)
        check(replay.returncode == 0, "the round kept under Wine plays alone on Linux to the state it ended in"
              + (": " + replay.stderr.strip() if replay.returncode else ""))
    finally:
        for file in new:
            os.remove(file)


def main():
    wine, exe, krax = (os.path.abspath(a) if a else a for a in sys.argv[1:4])
    if not krax or not os.path.exists(krax):
        print("SKIPPED: no Linux build of krax to compare with")
        return linux.SKIPPED
    missing = [t for t in ("Xvfb", "xdotool") if not shutil.which(t)]
    if missing:
        print("SKIPPED: the window test needs " + ", ".join(missing))
        return linux.SKIPPED
    started = linux.start_x_server()
    if not started:
        print("SKIPPED: no X server would start")
        return linux.SKIPPED
    server, display = started
    began = time.monotonic()
    session = None
    try:
        with tempfile.TemporaryDirectory(prefix="krax-wine-window-") as workdir:
            try:
                before = kept_rounds()
                session = WineSession(wine, exe, krax, display, workdir)
                play(session)
                check_kept_round(krax, before)
                replay = subprocess.run([krax, "--headless", "--script", session.recording],
                                        capture_output=True, text=True)
                lines = session.lines()
                check(replay.returncode == 0 and any(line.startswith("expect ") for line in lines),
                      f"the recording of {len(lines)} lines made under Wine replays on Linux to the same state"
                      + (": " + replay.stderr.strip() if replay.returncode else ""))
            except (Failed, subprocess.TimeoutExpired) as failure:
                print("FAILED:", failure)
                if session:
                    session.errors.seek(0)
                    print("its standard error:", session.errors.read().strip() or "(empty)")
                    if os.path.exists(session.recording):
                        kept = os.path.join(tempfile.gettempdir(), "krax-wine-window-failed.script")
                        shutil.copy(session.recording, kept)
                        print("the recording is kept in", kept)
                return 1
            finally:
                if session:
                    session.stop()
    finally:
        server.terminate()
        server.wait()
    print(f"the window test under Wine took {time.monotonic() - began:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
