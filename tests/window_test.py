#!/usr/bin/env python3
"""The game in its real windows, as a player meets it.

Starts its own X server (Xvfb) on a free display of 2560x1600 pixels, set to 200 % as
desktops set it (Xft.dpi 192), runs `krax --record` with a fixed seed and no --scale,
so that the game draws at scale 2 by itself, and plays a session with real X input (xdotool): the menu, a round with a miss, a
hit, an empty gun and the reload screen, R, the code box, a round that ends while the
machine is kept busy, Continue, Play Again and the close box. The windows are checked
as a window manager sees them (xprop, and the X protocol itself for geometry, the
pointer, the stacking order and the close message). Then the recording must replay
headless and pass, and then in the windows with --replay: whole and fast, and stopped
by the close box.

What the live game holds at a moment is read by replaying the recording so far and
printing; what one input did, by replaying it with and without that input.

usage: window_test.py KRAX   exit 0 passed, 1 failed, 77 skipped (no X server here)
"""

import os
import re
import select
import shutil
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import time
import traceback

SKIPPED = 77
SCREEN_W, SCREEN_H = 2560, 1600
SCALE = 2  # the desktop's own: Xft.dpi 192 over 96
SEED = 4242
TWIPS = 15  # per pixel, at scale 1
GROUND = (20, 510)  # a pixel of bare ground on the game screen, clear of every hole
CARROT_POINTER = (32 * SCALE, 32 * SCALE, 3 * SCALE, 3 * SCALE)  # width, height and hot spot

# Sizes and points below are in pixels at scale 1, as the screens' layouts have them.

# The windows a player meets: caption and client size in pixels.
MENU = ("KRAX 1.0", 405, 392)
GAME = ("KRAX 1.0", 454, 534)
RELOAD = ("", 199, 148)
CODE_BOX = "Backdoor"
RESULTS = {"Form3": ("You Won !", 320, 335), "Form4": ("You Lost !", 307, 342),
           "Form5": ("You Won !", 317, 328), "Form6": ("Incredible !", 314, 329)}
CONTINUE = {"Image8": "Form4", "Image10": "Form3", "Image11": "Form5", "Image12": "Form6"}
# The game screen's targets, one in each hole, as the game names them.
TARGETS = [("imgP1", 4), ("imgP2", 2), ("imgP3", 0), ("imgP4", 1),
           ("imgP5", 3), ("imgP6", 3), ("imgP7", 4), ("imgP8", 0)]


class Failed(Exception):
    pass


class Gone(Exception):
    """A window closed while the test looked at it."""


def check(condition, what):
    if not condition:
        raise Failed(what)
    print("ok:", what, flush=True)


def wait_for(probe, what, timeout=10.0):
    """Polls `probe` until it returns something true; fails after `timeout` seconds."""
    end = time.monotonic() + timeout
    while True:
        found = probe()
        if found:
            return found
        if time.monotonic() > end:
            raise Failed("timed out waiting for " + what)
        time.sleep(0.05)


class XConnection:
    """Just enough of the X protocol to look at windows many times a second, and for
    what the X tools lack: the pointer's image and the message a window manager sends
    for the close box."""

    def __init__(self, display):
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect(f"/tmp/.X11-unix/X{display}")
        self.sock.sendall(struct.pack("<BxHHHHxx", 0x6C, 11, 0, 0, 0))
        head = self._read(8)
        body = self._read(struct.unpack_from("<H", head, 6)[0] * 4)
        if head[0] != 1:
            raise Failed("the X server refused the test's connection")
        vendor = struct.unpack_from("<H", body, 16)[0]
        formats = body[21]
        self.root = struct.unpack_from("<I", body, 32 + (vendor + 3) // 4 * 4 + 8 * formats)[0]
        self.xfixes = None

    def _read(self, n):
        data = b""
        while len(data) < n:
            chunk = self.sock.recv(n - len(data))
            if not chunk:
                raise Failed("the X server closed the test's connection")
            data += chunk
        return data

    def _ask(self, request):
        self.sock.sendall(request)
        while True:
            reply = self._read(32)
            if reply[0] == 0:
                if reply[1] in (3, 9):  # no such window or drawable
                    raise Gone()
                raise Failed(f"X error {reply[1]} for request {request[0]}")
            if reply[0] == 1:
                return reply + self._read(struct.unpack_from("<I", reply, 4)[0] * 4)

    @staticmethod
    def _named(opcode, name, data=0):
        raw = name.encode()
        return struct.pack("<BBHHxx", opcode, data, 2 + (len(raw) + 3) // 4, len(raw)) + raw + b"\0" * (-len(raw) % 4)

    def atom(self, name):
        return struct.unpack_from("<I", self._ask(self._named(16, name)), 8)[0]

    def property(self, window, name):
        """The raw value of a window's property, or None."""
        reply = self._ask(struct.pack("<BBHIIIII", 20, 0, 6, window, self.atom(name), 0, 0, 4096))
        if struct.unpack_from("<I", reply, 8)[0] == 0:
            return None
        return reply[32: 32 + struct.unpack_from("<I", reply, 16)[0] * reply[1] // 8]

    def set_resources(self, text):
        """The X resources a desktop sets (as xrdb does), read by programs as they connect."""
        raw = text.encode()
        STRING = 31
        self.sock.sendall(struct.pack("<BBHIIIBxxxI", 18, 0, 6 + (len(raw) + 3) // 4, self.root,
                                      self.atom("RESOURCE_MANAGER"), STRING, 8, len(raw)) + raw + b"\0" * (-len(raw) % 4))
        self.atom("RESOURCE_MANAGER")  # a round trip: the property is set

    def viewable(self, window):
        return self._ask(struct.pack("<BxHI", 3, 2, window))[26] == 2

    def geometry(self, window):
        """x, y, width and height of a top-level window (there is no window manager)."""
        return struct.unpack_from("<hhHH", self._ask(struct.pack("<BxHI", 14, 2, window)), 12)

    def stacking(self):
        """The top-level windows, bottom to top."""
        reply = self._ask(struct.pack("<BxHI", 15, 2, self.root))
        count = struct.unpack_from("<H", reply, 16)[0]
        return list(struct.unpack_from(f"<{count}I", reply, 32))

    def pointer_image(self):
        """Width, height and hot spot of the pointer now shown."""
        if self.xfixes is None:
            reply = self._ask(self._named(98, "XFIXES"))
            if not reply[8]:
                raise Failed("the X server has no XFIXES extension")
            self.xfixes = reply[9]
            self._ask(struct.pack("<BBHII", self.xfixes, 0, 3, 4, 0))
        reply = self._ask(struct.pack("<BBH", self.xfixes, 4, 1))
        return struct.unpack_from("<HHHH", reply, 12)

    def close_box(self, window):
        """What a window manager sends when the close box is clicked."""
        protocols, delete = self.atom("WM_PROTOCOLS"), self.atom("WM_DELETE_WINDOW")
        event = struct.pack("<BBHII5I", 33, 32, 0, window, protocols, delete, 0, 0, 0, 0)
        self.sock.sendall(struct.pack("<BxHII", 25, 11, window, 0) + event)
        self.atom("WM_PROTOCOLS")  # a round trip: the message has gone out


class Session:
    scale = SCALE  # window pixels per screen pixel

    def __init__(self, krax, display, workdir, game_env=None, args=()):
        self.krax = krax
        self.env = dict(os.environ, DISPLAY=f":{display}")
        for name in ("WAYLAND_DISPLAY", "SDL_VIDEODRIVER"):
            self.env.pop(name, None)
        # The rounds the game keeps go to a folder of the test's own, not the player's.
        self.state_home = os.path.join(workdir, "state")
        self.env["XDG_STATE_HOME"] = self.state_home
        # Sound into SDL's dummy device, as on a machine with a sound card; the player's
        # own remembered choice left alone.
        self.env.update(SDL_AUDIODRIVER="dummy", XDG_CONFIG_HOME=os.path.join(workdir, "config"))
        # Under the sanitizers, the window system's libraries that SDL loads and unloads
        # leave blocks at exit whose frames no suppression can name; memory errors are
        # still caught. (Leak checking is on by default, so this holds unset too.)
        asan = self.env.get("ASAN_OPTIONS")
        self.env["ASAN_OPTIONS"] = (asan + ":" if asan else "") + "detect_leaks=0"
        self.x = XConnection(display)
        # A window manager that honours Motif hints makes their atom; SDL asks for no
        # frame through it only where it exists.
        self.x.atom("_MOTIF_WM_HINTS")
        self.x.set_resources("Xft.dpi:\t192\n")
        self.recording = os.path.join(workdir, "session.script")
        self.probe = os.path.join(workdir, "probe.script")
        self.errors = open(os.path.join(workdir, "krax.err"), "w+")
        self.game = subprocess.Popen([krax, "--seed", str(SEED), "--record", self.recording, *args],
                                     env=dict(self.env, **(game_env or {})), stderr=self.errors)

    # --- the X side ---

    def tool(self, *args, check_status=True):
        done = subprocess.run(args, env=self.env, capture_output=True, text=True)
        if check_status and done.returncode != 0:
            raise Failed(f"{' '.join(args)}: {done.stderr.strip()}")
        return done.stdout

    def windows(self):
        """The game's shown windows: id -> (caption, x, y, width, height)."""
        found = {}
        pid = struct.pack("<I", self.game.pid)
        for wid in self.x.stacking():
            try:
                if self.x.property(wid, "_NET_WM_PID") == pid and self.x.viewable(wid):
                    found[wid] = ((self.x.property(wid, "WM_NAME") or b"").decode(),) + self.x.geometry(wid)
            except Gone:
                pass
        return found

    def window(self, caption, width, height, timeout=10.0):
        def probe():
            for wid, (name, _, _, w, h) in self.windows().items():
                if (name, w, h) == (caption, width * self.scale, height * self.scale):
                    return wid
        return wait_for(probe, f'the window "{caption}" of {width}x{height}', timeout)

    def close_box(self, wid):
        self.x.close_box(wid)

    def gone(self, wid):
        wait_for(lambda: wid not in self.windows(), f"window {wid} to close")

    def prop(self, wid, name):
        return self.tool("xprop", "-id", str(wid), name)

    def shown(self, wid):
        """caption, x, y, width and height of one of the game's shown windows."""
        found = self.windows().get(wid)
        if not found:
            raise Failed(f"window {wid} is not shown" + ("" if self.game.poll() is None else ": the game is gone"))
        return found

    def origin(self, wid):
        return self.shown(wid)[1:3]

    def click(self, wid, px, py, button=1):
        x, y = self.origin(wid)
        self.tool("xdotool", "mousemove", str(x + px * SCALE), str(y + py * SCALE), "click", str(button))

    def focus(self, wid):
        self.tool("xdotool", "windowfocus", "--sync", str(wid))

    def keys(self, wid, *names):
        self.focus(wid)
        self.tool("xdotool", "key", "--delay", "30", *names)

    def check_window(self, wid, caption, width, height, framed=True):
        name, x, y, w, h = self.shown(wid)
        label = caption or "the reload screen"
        check((name, w, h) == (caption, width * SCALE, height * SCALE),
              f'"{label}" has its caption and a client area of {w}x{h}')
        check((x, y) == ((SCREEN_W - w) // 2, (SCREEN_H - h) // 2), f'"{label}" is centred at {x},{y}')
        hints = self.prop(wid, "WM_NORMAL_HINTS")
        check(f"minimum size: {w} by {h}" in hints and f"maximum size: {w} by {h}" in hints,
              f'"{label}" cannot be resized (equal minimum and maximum size hints)')
        # flags, functions, decorations, ...: decorations are asked for, and none wanted
        motif = self.prop(wid, "_MOTIF_WM_HINTS").partition("=")[2].replace(" ", "").split(",")
        frameless = len(motif) == 5 and int(motif[0], 16) & 2 and int(motif[2], 16) == 0
        check(frameless != framed, f'"{label}" ' + ("has a frame" if framed else "has no frame"))
        icon = self.prop(wid, "_NET_WM_ICON")
        check(("Icon (32 x 32)" in icon) == framed, f'"{label}" ' + ("has the carrot icon" if framed else "has no icon"))
        check("_NET_WM_STATE_SKIP_TASKBAR" in self.prop(wid, "_NET_WM_STATE"), f'"{label}" has no taskbar button')
        self.tool("xdotool", "mousemove", str(x + w - 2), str(y + 2))
        for _ in range(40):
            image = self.x.pointer_image()
            if image == CARROT_POINTER:
                break
            time.sleep(0.05)
        check(image == CARROT_POINTER, f'the pointer over "{label}" is the carrot (width, height, hot spot {image})')

    # --- the game's side, read from the recording ---

    def lines(self):
        with open(self.recording) as f:
            text = f.read()
        return text[: text.rfind("\n") + 1].splitlines()

    def state(self, *paths, lines=None, without=()):
        """What the live game held at the last line recorded (or at `lines`, less the
        lines numbered in `without`), at each path."""
        lines = self.lines() if lines is None else lines
        script = [line for i, line in enumerate(lines) if i not in without] + ["print " + " ".join(paths)]
        with open(self.probe, "w") as f:
            f.write("\n".join(script) + "\n")
        done = subprocess.run([self.krax, "--headless", "--script", self.probe], capture_output=True, text=True)
        if done.returncode != 0:
            raise Failed(f"the recording so far does not replay: {done.stderr.strip()}")
        values = {}
        for line in done.stdout.splitlines():
            path, _, value = line.partition(" = ")
            values[path] = value[1:-1].replace('\\"', '"').replace("\\\\", "\\") if value.startswith('"') else value
        return values

    def effect(self, click_lines, *paths):
        """Each path after the recording so far, and without the lines of one input."""
        lines = self.lines()
        marks = [max(i for i, line in enumerate(lines) if line == wanted) for wanted in click_lines]
        return self.state(*paths, lines=lines), self.state(*paths, lines=lines, without=marks)

    def centre(self, form, control):
        values = self.state(*(f"{form}.{control}.{p}" for p in ("Left", "Top", "Width", "Height")), lines=[])
        left, top, width, height = (float(values[f"{form}.{control}.{p}"]) for p in ("Left", "Top", "Width", "Height"))
        return int((left + width / 2) / TWIPS), int((top + height / 2) / TWIPS)

    @staticmethod
    def click_lines(form, px, py):
        return [f"down {form} {px * TWIPS} {py * TWIPS}", f"up {form} {px * TWIPS} {py * TWIPS}"]

    def click_recorded(self, wid, form, px, py):
        """Clicks, and waits until the game has handled the click."""
        up = self.click_lines(form, px, py)[1]
        before = self.lines().count(up)
        self.click(wid, px, py)
        wait_for(lambda: self.lines().count(up) > before, f'"{up}" in the recording', 5)

    def shoot_ground(self, game):
        self.click_recorded(game, "Form2", *GROUND)

    def stop(self):
        if self.game.poll() is None:
            self.game.kill()
            self.game.wait()


def play(s):
    """The session, step by step, checking as a player would."""
    menu = s.window(*MENU)
    s.check_window(menu, *MENU)
    loaded = gl_libraries(s.game.pid)
    check(not loaded, "no GL library is loaded: the windows' pixels go to the X server as they are"
                      + (f" ({', '.join(sorted(loaded))})" if loaded else ""))
    s.click(menu, *s.centre("Form1", "Image5"))  # START

    game = s.window(*GAME)
    s.gone(menu)
    s.check_window(game, *GAME)
    check(s.state("App.ActiveForm")["App.ActiveForm"] == "Form2", "START opens the game screen")

    s.focus(game)
    s.shoot_ground(game)
    paths = ("Form2.intTimeLeft", "Form2.intBullets", "Form2.lblTime.Caption")
    shot, unshot = s.effect(s.click_lines("Form2", *GROUND), *paths)
    check(int(shot[paths[0]]) == int(unshot[paths[0]]) - 1 and shot[paths[2]] == shot[paths[0]],
          f"a click on the bare ground costs a second ({unshot[paths[0]]} -> {shot[paths[0]]})")
    check(int(shot[paths[1]]) == int(unshot[paths[1]]) - 1, "... and a carrot")

    hit_shown_target(s, game)

    s.keys(game, "r")
    wait_for(lambda: s.state("Form2.intBullets")["Form2.intBullets"] == "6", "R to fill the gun", 5)
    for _ in range(6):
        s.shoot_ground(game)
    reload_screen = s.window(*RELOAD)
    check(s.x.stacking().index(reload_screen) > s.x.stacking().index(game), "the reload screen comes to the front")
    s.check_window(reload_screen, *RELOAD, framed=False)
    now = s.state("Form2.Enabled", "App.ActiveForm")
    check(now == {"Form2.Enabled": "False", "App.ActiveForm": "frmCredits"}, "six shots disable the game screen")
    refuse_close_then_reload(s, reload_screen)

    s.shoot_ground(game)
    s.shoot_ground(game)
    now = s.state("Form2.intBullets", "Form2.intTimeLeft")
    check(now["Form2.intBullets"] == "4", f"two shots leave four carrots ({now})")
    s.keys(game, "r")
    wait_for(lambda: s.state("Form2.intBullets")["Form2.intBullets"] == "6", "R to reload", 5)
    check(True, "R reloads")

    s.keys(game, "Up")
    box = wait_for(lambda: next((w for w, v in s.windows().items() if v[0] == CODE_BOX), None), "the code box")
    s.focus(box)
    s.tool("xdotool", "type", "--delay", "30", "47")
    s.tool("xdotool", "key", "Return")
    s.gone(box)
    # The state just after the Up key that asked, as the clock goes on counting down
    # from 10 while the test looks (a slow look would see 9 or less).
    upto = wait_for(lambda: lines_through(s.lines(), 'answer "47"', "keyup 38"), "the answer in the recording", 5)
    now = s.state("Form2.intTimeLeft", "Form2.strCode", lines=upto)
    check(now == {"Form2.intTimeLeft": "10", "Form2.strCode": "47"},
          'Up opens the code box; "47" and Enter set the clock to 10')

    busy_from = len(s.lines())
    hogs = [subprocess.Popen([sys.executable, "-c", "while True: pass"]) for _ in range(3)]
    try:
        # A stall too, as when the machine is swamped for a moment: the loop wakes late.
        s.game.send_signal(signal.SIGSTOP)
        time.sleep(0.3)
        s.game.send_signal(signal.SIGCONT)
        shown = wait_for(lambda: next((b for b, v in s.state(*(f"Form2.{b}.Visible" for b in CONTINUE)).items()
                                       if v == "True"), None), "the end of the round", 20)
        button = shown.split(".")[1]
        s.click(game, *s.centre("Form2", button))  # Continue
        result = CONTINUE[button]
        window = s.window(*RESULTS[result])
        s.gone(game)
        s.check_window(window, *RESULTS[result])
        check(True, f"the round ends and Continue opens {result}")
        s.click(window, *s.centre(result, "Image3"))  # Play Again
        game = s.window(*GAME)
        s.gone(window)
    finally:
        for hog in hogs:
            hog.kill()
            hog.wait()
    fresh = s.state("Form2.intHits", "Form2.intBullets", "Form2.intLevel")
    check(fresh == {"Form2.intHits": "0", "Form2.intBullets": "6", "Form2.intLevel": "1"}, "Play Again starts a fresh round")
    late = [int(line.split()[1]) for line in s.lines()[busy_from:] if line.startswith("catchup ")]
    check(max(late) >= 250, f"under load the loop woke late: {sum(m > 10 for m in late)} catch-ups over 10 ms, "
                            f"the longest {max(late)} ms")

    close_cleanly(s, game)


def gl_libraries(pid):
    """The GL libraries mapped into a process."""
    with open(f"/proc/{pid}/maps") as f:
        return {line.split()[-1] for line in f if re.search(r"/lib(GL|EGL|GLX|GLES)\w*\.so", line)}


def refuse_close_then_reload(s, reload_screen):
    """The reload screen stays up when told to close, as a window manager's or a
    compositor's keys would tell it (it has no close box); its Reload returns to the
    round with six carrots."""
    s.close_box(reload_screen)
    time.sleep(0.3)
    check(reload_screen in s.windows() and s.state("Form2.Enabled")["Form2.Enabled"] == "False",
          "the reload screen stays up when told to close: only Reload returns to the round")
    s.click(reload_screen, *s.centre("frmCredits", "Image2"))  # Reload
    s.gone(reload_screen)
    now = s.state("Form2.Enabled", "App.ActiveForm", "Form2.intBullets")
    check(now == {"Form2.Enabled": "True", "App.ActiveForm": "Form2", "Form2.intBullets": "6"},
          "Reload returns to the round with six carrots")


def close_cleanly(s, game, timeout=10):
    """The close box ends the game with status 0 and nothing said on standard error."""
    s.close_box(game)
    status = s.game.wait(timeout=timeout)
    check(status == 0, "the close box ends the program with status 0")
    s.errors.seek(0)
    errors = s.errors.read()
    check(errors == "", "nothing on standard error" + (": " + errors if errors else ""))


def lines_through(lines, first, then):
    """The lines up to the first `then` after the first `first`; None before both."""
    if first not in lines:
        return None
    after = lines.index(first)
    return lines[: lines.index(then, after) + 1] if then in lines[after:] else None


def replay_in_windows(s):
    """The recording played in the windows at eight times its pace, to its end; then
    again at its own pace, stopped by the close box."""
    recorded_ms = next(int(line.split()[2]) for line in s.lines() if line.startswith("expect App.Time "))
    began = time.monotonic()
    s.errors.seek(0)
    s.errors.truncate()
    s.game = subprocess.Popen([s.krax, "--replay", s.recording, "--speed", "8"], env=s.env, stderr=s.errors)
    s.window(*GAME)
    status = s.game.wait(timeout=60)
    took = time.monotonic() - began
    s.errors.seek(0)
    errors = s.errors.read()
    check(status == 0 and errors == "", f"the recording plays in the windows at speed 8 and its expect lines hold"
                                        + (f": status {status}, {errors}" if status or errors else ""))
    check(took >= recorded_ms / 8000, f"... at its pace: {took:.1f} s for {recorded_ms / 1000:.1f} s of play")

    s.game = subprocess.Popen([s.krax, "--replay", s.recording], env=s.env, stderr=s.errors)
    game = s.window(*GAME)
    s.x.close_box(game)
    status = s.game.wait(timeout=10)
    check(status == 0, "the close box stops a replay, with status 0")


def hit_shown_target(s, game):
    """Waits for a target to come up, clicks where it is drawn, and sees it scored."""
    centres = {name: s.centre("Form2", f"{name}({index})") for name, index in TARGETS}
    end = time.monotonic() + 30
    while time.monotonic() < end:
        up = s.state(*(f"Form2.{name}({index}).Visible" for name, index in TARGETS))
        shown = [name for name, index in TARGETS if up[f"Form2.{name}({index}).Visible"] == "True"]
        if not shown:
            time.sleep(0.05)
            continue
        s.click_recorded(game, "Form2", *centres[shown[0]])
        hit, missed = s.effect(s.click_lines("Form2", *centres[shown[0]]), "Form2.intHits")
        change = int(hit["Form2.intHits"]) - int(missed["Form2.intHits"])
        if change in (1, -5):
            check(True, f"a shown target ({shown[0]}) is hit where it is drawn: {change:+d}")
            return
    raise Failed("no shown target could be hit within 30 s")


# What xrestop counts for a client, by kind (the bytes it reckons are left out).
COUNTED = ("windows", "GCs", "fonts", "pixmaps", "pictures", "glyphsets", "colormaps", "passive grabs", "cursors",
           "unknowns")


def x_resources(display, pid):
    """How many X resources the game's connections hold, from xrestop."""
    out = subprocess.run(["xrestop", "-display", display, "-b", "-m", "1"], capture_output=True, text=True).stdout
    total, found = 0, False
    for block in re.split(r"\n(?=\d+ - )", out):
        if not re.search(rf"\(\s*PID:\s*{pid}\s*\)", block.partition("\n")[0]):
            continue
        found = True
        counts = dict(re.findall(r"^\s*(\w[\w ]*?)\s*:\s*(\d+)\s*$", block, re.M))
        total += sum(int(counts.get(name, 0)) for name in COUNTED)
    if not found:
        raise Failed("xrestop does not list the game")
    return total


def start_x_server():
    """Xvfb on a display it finds free; (process, display number), or None."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{SCREEN_W}x{SCREEN_H}x24",
                               "-nolisten", "tcp", "-noreset"],
                              pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    while select.select([read_end], [], [], 10)[0]:
        chunk = os.read(read_end, 16)
        if not chunk:
            break
        number += chunk
        if number.endswith(b"\n"):
            break
    os.close(read_end)
    if not number.strip():
        server.kill()
        server.wait()
        return None
    return server, int(number)


def run(krax, play_session, game_env=None, args=(), replay_windows=True):
    """Plays `play_session` once in the real windows on an X server of the test's own,
    the game started with `game_env` in its environment and `args` on its command line:
    the exit status of a test (0 passed, 1 failed, 77 skipped). With `replay_windows`,
    the recording is played in the windows too (a session of a few seconds is over
    before the test can see its windows at speed 8)."""
    missing = [t for t in ("Xvfb", "xdotool", "xprop") if not shutil.which(t)]
    if missing:
        print("SKIPPED: the window test needs " + ", ".join(missing))
        return SKIPPED
    started = start_x_server()
    if not started:
        print("SKIPPED: no X server would start")
        return SKIPPED
    server, display = started
    try:
        return 0 if play_once(krax, display, play_session, game_env, args, replay_windows) else 1
    finally:
        server.terminate()
        server.wait()


def play_once(krax, display, play_session, game_env, args, replay_windows):
    """One recorded session in the real windows, its headless replay, then (with
    `replay_windows`) the replay in the windows; True when all pass."""
    return play_recorded(krax, "krax-window-", lambda workdir: Session(krax, display, workdir, game_env, args),
                         play_session, replay_in_windows if replay_windows else lambda session: None)


# A session opened by `open_session(workdir)` in a new folder, played by `play_session`
# and recorded, then its headless replay and `then(session)`; True when all pass.
# Whatever ends it early, the evidence is printed: the game's status, its standard
# error and the recording.
def play_recorded(krax, prefix, open_session, play_session, then):
    began = time.monotonic()
    with tempfile.TemporaryDirectory(prefix=prefix) as workdir:
        session = None
        try:
            session = open_session(workdir)
            play_session(session)
            replay = subprocess.run([krax, "--headless", "--script", session.recording], capture_output=True, text=True)
            lines = session.lines()
            check(replay.returncode == 0 and lines[-1].startswith("expect Form2.strCode"),
                  f"the recording of {len(lines)} lines replays headless and agrees with the live game"
                  + (": " + replay.stderr.strip() if replay.returncode else ""))
            then(session)
        except Exception as failure:  # whatever it is, reported with the evidence
            print("FAILED:", failure if isinstance(failure, Failed) else repr(failure))
            if not isinstance(failure, Failed):
                traceback.print_exc(file=sys.stdout)
            if session:
                status = session.game.poll()
                print("the game is", "still running" if status is None else f"gone with status {status}")
                session.errors.seek(0)
                print("its standard error:", session.errors.read().strip() or "(empty)")
                if os.path.exists(session.recording):
                    # A name of its own: other runs of the test may share the folder.
                    handle, kept = tempfile.mkstemp(prefix=prefix + "failed-", suffix=".script")
                    os.close(handle)
                    shutil.copy(session.recording, kept)
                    print("the recording is kept in", kept)
            return False
        finally:
            if session:
                session.stop()
    print(f"the session took {time.monotonic() - began:.1f} s")
    return True


if __name__ == "__main__":
    sys.exit(run(os.path.abspath(sys.argv[1]), play))
