#!/usr/bin/env python3
"""A long session of random but legal play in the game's real windows.

Plays under Xvfb with real X input, as window_test.py does: the help screen, START,
shots at the ground and at the targets that are up, the reload screen, R, the code
box (the codes and near misses), the end of each round, Continue and Play Again; many
rounds, made short by the code 47. Every 10 s it samples the game's resident memory,
its open descriptors and the X resources it holds (xrestop), and prints them. It fails
when the game ends by itself, when a sample passes a bound below, when the close box
does not end the game with status 0 and nothing on standard error, or when the
recording of the session does not replay headless.

The bounds:
- X resources: never more than at the first sample with the same screens shown. The
  game holds a fixed set for each shown window (the window, its colormap, graphics
  context, shared memory segment, ...) and a few for the whole session: one left
  behind per screen change passes the bound at the next sample.
- Open descriptors: at most 14 more than at the first sample. A font is opened as a
  window first draws with it and kept open, two descriptors each, for seven fonts (six
  sizes in the screens, one in the code box); one descriptor left open per screen
  change passes the bound within 15 changes, a minute or two of play.
- Resident memory: at most 16 MiB more than the highest sample of the first minute.
  What the game keeps grows only to bounds of its own (drawn texts' textures: 4 MiB a
  window; the fonts; the pictures); a window's pixels left behind per screen change
  (0.9 MiB at scale 1, 3.7 MiB at scale 2) pass it within 20 changes, a few minutes.

usage: window_soak.py MINUTES [--scale N] [--seed N] [--krax PATH]
       exit 0 passed, 1 failed, 77 skipped (no X server here)
"""

import argparse
import os
import random
import sys
import time

import window_test as w

SAMPLE_EVERY = 10.0
MEMORY_SLACK = 16 << 20
# Fonts are opened as they are first drawn with and kept open: two descriptors each,
# for the six sizes of the screens' layouts and the code box's.
FONT_DESCRIPTORS = 2 * 7
HELP = ("Help", 406, 536)
CODES = ["47", "47", "47", "Cobra", "Lantern", "4", "lantern", "", "x"]


class Soak:
    def __init__(self, s, minutes, scale, rng):
        self.s, self.scale, self.rng = s, scale, rng
        self.end = time.monotonic() + minutes * 60
        self.began = time.monotonic()
        self.next_sample = self.began + SAMPLE_EVERY
        self.screens = {w.MENU[1:]: "Form1", HELP[1:]: "Form7", w.GAME[1:]: "Form2", w.RELOAD[1:]: "frmCredits"}
        self.screens.update({window[1:]: form for form, window in w.RESULTS.items()})
        self.screens = {tuple(v * scale for v in size): form for size, form in self.screens.items()}
        self.centres = {}
        self.changes = 0
        self.last_shown = ()
        self.samples = []
        self.first = {}  # shown screens -> the first sample taken with them

    # --- looking ---

    def shown(self):
        """The shown screens' names and windows, front to back."""
        found = []
        for wid, (caption, _, _, width, height) in reversed(list(self.s.windows().items())):
            form = "InputBox" if caption == w.CODE_BOX else self.screens.get((width, height))
            if form:
                found.append((form, wid))
        return found

    def centre(self, form, control):
        if (form, control) not in self.centres:
            self.centres[form, control] = self.s.centre(form, control)
        return self.centres[form, control]

    # --- playing ---

    def step(self):
        shown = self.shown()
        names = tuple(sorted(form for form, _ in shown))
        if names != self.last_shown:
            self.changes += 1
            self.last_shown = names
        if not shown:
            time.sleep(0.05)
            return
        form, wid = shown[0]
        act = {"Form1": self.menu, "Form7": self.help, "Form2": self.round, "frmCredits": self.reload,
               "InputBox": self.code_box}.get(form, self.result)
        try:
            act(form, wid)
        except w.Failed:
            if wid in self.s.windows():
                raise
            # The window closed as it was played: the game had not yet shown what the
            # last input did when the soak looked.
        time.sleep(self.rng.uniform(0, 0.3))

    def menu(self, form, wid):
        self.s.click(wid, *self.centre(form, self.rng.choice(["Image5", "Image7"])))  # START or help

    def help(self, form, wid):
        self.s.click(wid, *self.centre(form, "Image2"))

    def result(self, form, wid):
        self.s.click(wid, *self.centre(form, "Image3"))  # Play Again

    def reload(self, form, wid):
        self.s.click(wid, *self.centre(form, "Image2"))

    def code_box(self, form, wid):
        self.s.focus(wid)
        code = self.rng.choice(CODES)
        if code:
            self.s.tool("xdotool", "type", "--delay", "20", code)
        self.s.tool("xdotool", "key", "Return")

    def round(self, form, wid):
        paths = [f"Form2.{name}({index}).Visible" for name, index in w.TARGETS]
        paths += [f"Form2.{button}.Visible" for button in w.CONTINUE]
        up = self.s.state(*paths)
        buttons = [b for b in w.CONTINUE if up[f"Form2.{b}.Visible"] == "True"]
        if buttons:
            return self.s.click(wid, *self.centre(form, buttons[0]))  # Continue
        targets = [f"{name}({index})" for name, index in w.TARGETS if up[f"Form2.{name}({index}).Visible"] == "True"]
        roll = self.rng.random()
        if targets and roll < 0.6:
            self.s.click(wid, *self.centre(form, self.rng.choice(targets)))
        elif roll < 0.75:
            _, _, _, width, height = self.s.shown(wid)
            self.s.click(wid, self.rng.randrange(width), self.rng.randrange(height))
        elif roll < 0.9:
            self.s.keys(wid, "r")
        else:
            self.s.keys(wid, "Up")

    # --- measuring ---

    def sample(self):
        pid = self.s.game.pid
        shown = self.shown_names()
        with open(f"/proc/{pid}/status") as f:
            rss = next(int(line.split()[1]) for line in f if line.startswith("VmRSS:")) << 10
        fds = len(os.listdir(f"/proc/{pid}/fd"))
        resources = w.x_resources(self.s.env["DISPLAY"], pid)
        steady = shown == self.shown_names()  # no window came or went while counting
        row = {"at": time.monotonic() - self.began, "changes": self.changes, "rss": rss, "fds": fds, "x": resources}
        self.samples.append(row)
        print(f"{row['at']:7.0f} s {self.changes:6d} {rss / (1 << 20):8.1f} MiB {fds:4d} {resources:6d}  "
              + " ".join(shown) + ("" if steady else " (changing)"), flush=True)
        first = self.first.setdefault(shown, row)
        if steady and resources > first["x"]:
            raise w.Failed(f"{resources} X resources with {' '.join(shown)} shown, {first['x']} the first time")
        if fds > self.samples[0]["fds"] + FONT_DESCRIPTORS:
            raise w.Failed(f"{fds} open descriptors, {self.samples[0]['fds']} at the first sample")
        early = max(r["rss"] for r in self.samples if r["at"] <= 60)
        if rss > early + MEMORY_SLACK:
            raise w.Failed(f"resident memory {rss >> 20} MiB, {early >> 20} MiB at most in the first minute")

    def shown_names(self):
        return tuple(sorted(form for form, _ in self.shown()))

    def play(self):
        print("     time  changes        RSS  fds  X res  shown", flush=True)
        while time.monotonic() < self.end:
            if self.s.game.poll() is not None:
                raise w.Failed(f"the game ended by itself with status {self.s.game.returncode}")
            if time.monotonic() >= self.next_sample:
                self.sample()
                self.next_sample += SAMPLE_EVERY
            self.step()
        self.close()

    def close(self):
        """Ends the session with the close box of the front window, once the reload
        screen or the code box, which have none, are played away."""
        end = time.monotonic() + 30
        while not (shown := self.shown()) or shown[0][0] in ("frmCredits", "InputBox"):
            if time.monotonic() > end:
                raise w.Failed("no window with a close box came to the front")
            self.step()
        self.s.x.close_box(shown[0][1])
        status = self.s.game.wait(timeout=10)
        w.check(status == 0, f"the close box ends the game with status 0 after {self.changes} screen changes")
        self.s.errors.seek(0)
        errors = self.s.errors.read()
        w.check(errors == "", "nothing on standard error" + (": " + errors if errors else ""))


def main():
    parser = argparse.ArgumentParser(description="random play in the real windows, watching for leaks")
    parser.add_argument("minutes", type=float)
    parser.add_argument("--scale", type=int, default=1)
    parser.add_argument("--seed", type=int, default=int(time.time()))
    here = os.path.dirname(os.path.abspath(__file__))
    parser.add_argument("--krax", default=os.path.join(here, "..", "build", "bin", "krax"))
    options = parser.parse_args()
    if not w.shutil.which("xrestop"):
        print("SKIPPED: the soak needs xrestop")
        return w.SKIPPED
    print(f"soak of {options.minutes} min at scale {options.scale}, random seed {options.seed}", flush=True)
    w.SCALE = options.scale  # the session's clicks and windows at the scale asked for
    rng = random.Random(options.seed)
    return w.run(os.path.abspath(options.krax), lambda s: Soak(s, options.minutes, options.scale, rng).play(),
                 args=("--scale", str(options.scale)))


if __name__ == "__main__":
    sys.exit(main())
