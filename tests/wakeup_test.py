#!/usr/bin/env python3
"""Screen changes end neither the game nor its X resources' flatness.

SDL wakes its waiting event loop with a client message sent over X on a connection of
its own; the X server may refuse it, with BadWindow, when the game has meanwhile closed
the window it was sent to. With the library x11_hold_wakeup preloaded, every such
message goes out one wake-up late, so that this happens every time a screen closes,
and the last one as SDL closes its connection after the game's windows are gone.
Played in the real windows under Xvfb: START, then ten times an empty gun and Reload
(and Continue and Play Again when a round ends), then a shot. The game must play on,
hold the same X resources after the tenth reload as after the first, and end with
status 0 and nothing on standard error at the close box.

usage: wakeup_test.py KRAX HOLD_WAKEUP_LIBRARY   exit 0 passed, 1 failed, 77 skipped
"""

import os
import shutil
import sys
import tempfile

import window_test as w

CYCLES = 10
SHOTS_LEFT = 8  # seconds a round needs left for an empty gun: each shot costs one


def play(s, log):
    menu = s.window(*w.MENU)
    s.click(menu, *s.centre("Form1", "Image5"))  # START
    game = s.window(*w.GAME)
    s.gone(menu)
    resources = []
    for _ in range(CYCLES):
        if int(s.state("Form2.intTimeLeft")["Form2.intTimeLeft"]) < SHOTS_LEFT:
            game = next_round(s, game)
        s.focus(game)
        for _ in range(6):
            s.shoot_ground(game)
        reload_screen = s.window(*w.RELOAD)
        s.click(reload_screen, *s.centre("frmCredits", "Image2"))  # Reload
        s.gone(reload_screen)
        resources.append(w.x_resources(s.env["DISPLAY"], s.game.pid))
    w.check(resources[-1] == resources[0], f"X resources after each reload: {resources}")
    s.shoot_ground(game)
    w.check(s.state("Form2.intBullets")["Form2.intBullets"] == "5", "after the last Reload the game plays on: a shot")
    s.x.close_box(game)
    status = s.game.wait(timeout=10)
    w.check(status == 0, f"the close box ends the program with status 0 (got {status})")
    s.errors.seek(0)
    errors = s.errors.read()
    w.check(errors == "", "nothing on standard error" + (": " + errors if errors else ""))
    with open(log) as f:
        late = int(f.read())
    w.check(late > 0, f"wake-ups were sent late: {late}")


def next_round(s, game):
    """Waits for the round's end, then Continue and Play Again: the new game screen."""
    visible = wait_for_continue(s)
    s.click(game, *s.centre("Form2", visible))
    result = w.CONTINUE[visible]
    window = s.window(*w.RESULTS[result])
    s.click(window, *s.centre(result, "Image3"))  # Play Again
    game = s.window(*w.GAME)
    s.gone(window)
    return game


def wait_for_continue(s):
    def shown():
        up = s.state(*(f"Form2.{b}.Visible" for b in w.CONTINUE))
        return next((b for b in w.CONTINUE if up[f"Form2.{b}.Visible"] == "True"), None)
    return w.wait_for(shown, "the end of the round", 20)


def main():
    krax, library = (os.path.abspath(a) for a in sys.argv[1:3])
    if not shutil.which("xrestop"):
        print("SKIPPED: the test needs xrestop")
        return w.SKIPPED
    with tempfile.TemporaryDirectory(prefix="krax-wakeup-") as workdir:
        log = os.path.join(workdir, "late")
        return w.run(krax, lambda s: play(s, log), {"LD_PRELOAD": library, "KRAX_HOLD_WAKEUP_LOG": log})


if __name__ == "__main__":
    sys.exit(main())
