#!/usr/bin/env python3
"""A window that another program destroys comes back while its screen is shown.

Played in the real windows under Xvfb: the menu's window destroyed from outside
(`xdotool windowclose`, as a misbehaving tool or window manager might) is made again and
START still works on it; on the game screen an empty gun raises the reload screen,
whose window is destroyed in turn: it comes back, its Reload returns to the round and
the game screen still plays. The close box then ends the game with status 0 and
nothing on standard error, and the recording replays headless to the same state.

usage: window_gone_test.py KRAX   exit 0 passed, 1 failed, 77 skipped (no X server here)
"""

import os
import sys

import window_test as w


def destroyed_and_back(s, wid, shape):
    """Destroys the window `wid` from outside; the game's new window of the same shape."""
    s.tool("xdotool", "windowclose", str(wid))
    s.gone(wid)
    again = s.window(*shape)
    w.check(again != wid and s.game.poll() is None, f'the window "{shape[0] or "reload screen"}" is made again')
    return again


def play(s):
    menu = destroyed_and_back(s, s.window(*w.MENU), w.MENU)
    s.click(menu, *s.centre("Form1", "Image5"))  # START
    game = s.window(*w.GAME)
    s.focus(game)
    for _ in range(6):
        s.shoot_ground(game)
    reload_screen = destroyed_and_back(s, s.window(*w.RELOAD), w.RELOAD)
    w.check(s.state("Form2.Enabled")["Form2.Enabled"] == "False", "the game screen waits for the reload screen")
    s.click(reload_screen, *s.centre("frmCredits", "Image2"))  # Reload
    s.gone(reload_screen)
    s.focus(game)
    s.shoot_ground(game)
    w.check(s.state("Form2.intBullets")["Form2.intBullets"] == "5", "after Reload the game screen plays: a shot")
    w.close_cleanly(s, game)


if __name__ == "__main__":
    sys.exit(w.run(os.path.abspath(sys.argv[1]), play, replay_windows=False))
