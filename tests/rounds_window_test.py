#!/usr/bin/env python3
"""The rounds the game keeps, played in its real windows as window_test.py plays them.

Three rounds, each cut short by the codes (the code that shows the reload screen, the
one that closes the game screen, and Reload to begin the next): every one is kept in
the state folder the test points XDG_STATE_HOME at, `krax --rounds` lists them newest
first, each plays headless, and `krax --replay last` plays the last in the windows and
ends with status 0. Then four games that cannot keep everything: one killed mid-round
(kill -9), one whose files may not grow past 700 bytes (a full disk: RLIMIT_FSIZE with
SIGXFSZ ignored), one whose folder cannot be made (a file where it should be: the tests
run as root, whom no mode keeps out), and one beside files that are no rounds. Each
plays on and keeps what it can, saying what it cannot in one line.

usage: rounds_window_test.py KRAX   exit 0 passed, 1 failed, 77 skipped (no X server here)
"""

import os
import re
import resource
import signal
import subprocess
import sys
import time

import window_test as w
from window_test import check, wait_for

MENU, GAME, RELOAD, CODE_BOX = w.MENU, w.GAME, w.RELOAD, w.CODE_BOX


def code(s, game, text):
    """Up on the game screen, the code typed into the box and Enter."""
    s.keys(game, "Up")
    box = wait_for(lambda: next((b for b, v in s.windows().items() if v[0] == CODE_BOX), None), "the code box")
    s.focus(box)
    s.tool("xdotool", "type", "--delay", "30", text)
    s.tool("xdotool", "key", "Return")
    s.gone(box)


def next_round(s, game):
    """Plays the round two seconds, ends it by the codes and begins the next with
    Reload: the game screen."""
    time.sleep(2)
    code(s, game, "Lantern")
    reload_screen = s.window(*RELOAD)
    code(s, game, "Fig")
    s.gone(game)
    s.click(reload_screen, *s.centre("frmCredits", "Image2"))
    return s.window(*GAME)


def start(s):
    menu = s.window(*MENU)
    s.click(menu, *s.centre("Form1", "Image5"))
    return s.window(*GAME)


def launch(s, state, limit=None):
    """Another game on the same display, keeping its rounds under `state`."""
    s.errors = open(os.path.join(state + ".err"), "w+")

    def limited():
        signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
        resource.setrlimit(resource.RLIMIT_FSIZE, (limit, limit))

    s.game = subprocess.Popen([s.krax, "--seed", "7"], env=dict(s.env, XDG_STATE_HOME=state), stderr=s.errors,
                              preexec_fn=limited if limit else None, restore_signals=not limit)


def finish(s, game):
    """Closes the game screen, which ends the game (the menu is hidden); its status and
    what it said."""
    s.x.close_box(game)
    status = s.game.wait(timeout=20)
    s.errors.seek(0)
    return status, s.errors.read()


def krax(s, state, *args):
    done = subprocess.run([s.krax, *args], env=dict(s.env, XDG_STATE_HOME=state), capture_output=True, text=True,
                          timeout=120)
    return done.returncode, done.stdout, done.stderr


def rounds_in(state):
    folder = os.path.join(state, "krax", "rounds")
    return sorted(os.listdir(folder)) if os.path.isdir(folder) else []


def three_rounds(s):
    game = start(s)
    s.focus(game)
    w.hit_shown_target(s, game)
    game = next_round(s, game)
    game = next_round(s, game)
    s.shoot_ground(game)
    status, said = finish(s, game)
    check(status == 0 and said == "", f"three rounds played and the game closed: status {status} {said}")
    check(rounds_in(s.state_home) == [f"round-00000{n}.script" for n in (1, 2, 3)], "each round is kept in a file of its own")
    status, out, err = krax(s, s.state_home, "--rounds")
    print(out, end="")
    listed = [int(line.split()[0]) for line in out.splitlines()]
    check(status == 0 and listed == [3, 2, 1] and err == "", "krax --rounds lists them newest first")
    first = out.splitlines()[2].split()
    check(re.fullmatch(r"\d{4}-\d\d-\d\d", first[1]) and int(first[3]) in (1, -5) and first[4] == "hits",
          f"... with the date and time, the hits and the length: {' '.join(first)}")
    for n in ("1", "2", "last"):
        status, _, err = krax(s, s.state_home, "--headless", "--script", n)
        check(status == 0, f"krax --headless --script {n} plays the kept round and its end holds {err}")
    status, _, err = krax(s, s.state_home, "--replay", "last", "--speed", "8")
    check(status == 0 and err == "", f"krax --replay last plays it in the windows and ends with status {status} {err}")


def killed(s):
    state = os.path.join(os.path.dirname(s.state_home), "killed")
    launch(s, state)
    game = start(s)
    s.focus(game)
    for _ in range(3):
        s.click(game, *w.GROUND)
    wait_for(lambda: rounds_in(state) and open(os.path.join(state, "krax", "rounds", rounds_in(state)[0])).read()
             .count("up Form2 ") == 3, "the three shots in the kept round")
    s.game.send_signal(signal.SIGKILL)
    s.game.wait()
    status, _, err = krax(s, state, "--headless", "--script", "last")
    with open(os.path.join(state, "krax", "rounds", rounds_in(state)[0])) as f:
        lines = f.read().splitlines()
    check(status == 0 and lines[-1].startswith(("up Form2 ", "catchup ")),
          f"a game killed mid-round leaves a round of {len(lines)} lines that plays up to there {err}")


def full_disk(s):
    state = os.path.join(os.path.dirname(s.state_home), "full")
    launch(s, state, limit=700)
    game = start(s)
    s.focus(game)
    game = next_round(s, game)
    game = next_round(s, game)
    status, said = finish(s, game)
    print(said, end="")
    check(status == 0 and said.count("\n") == 1 and ": File too large; the game goes on" in said,
          "a full disk is said once, and the game plays on to its end")
    sizes = [os.path.getsize(os.path.join(state, "krax", "rounds", f)) for f in rounds_in(state)]
    check(len(sizes) == 3 and all(size <= 700 for size in sizes), f"each round keeps what fitted: {sizes} bytes")
    for n in ("1", "2", "3"):
        status, _, err = krax(s, state, "--headless", "--script", n)
        check(status == 0, f"round {n} plays up to where the disk was full {err}")


def unwritable(s):
    state = os.path.join(os.path.dirname(s.state_home), "unwritable")
    os.makedirs(state)
    with open(os.path.join(state, "krax"), "w") as f:
        f.write("a file where the folder should be\n")
    launch(s, state)
    game = start(s)
    s.focus(game)
    game = next_round(s, game)
    status, said = finish(s, game)
    print(said, end="")
    check(status == 0 and said.count("\n") == 1 and said.startswith("krax: cannot keep rounds in "),
          "a folder that cannot be made is said once, and the game plays on")


def beside_foreign_files(s):
    state = os.path.join(os.path.dirname(s.state_home), "foreign")
    folder = os.path.join(state, "krax", "rounds")
    os.makedirs(folder)
    with open(os.path.join(folder, "notes.txt"), "w") as f:
        f.write("mine\n")
    with open(os.path.join(folder, "round-000007.script"), "wb") as f:
        f.write(b"\x00\x01 not a round \xff\n")
    launch(s, state)
    game = start(s)
    status, said = finish(s, game)
    print(said, end="")
    check(status == 0 and said.count("\n") == 2 and said.count("krax: skipped ") == 2,
          "files that are no rounds are skipped with one line each, and the game plays on")
    check("round-000008.script" in rounds_in(state), "the new round is numbered after them")
    status, out, err = krax(s, state, "--rounds")
    check(status == 0 and [line.split()[0] for line in out.splitlines()] == ["8"] and err.count("\n") == 2,
          "krax --rounds lists the round and skips the rest")


def play(s):
    three_rounds(s)
    killed(s)
    full_disk(s)
    unwritable(s)
    beside_foreign_files(s)


if __name__ == "__main__":
    sys.exit(w.run(os.path.abspath(sys.argv[1]), play))
