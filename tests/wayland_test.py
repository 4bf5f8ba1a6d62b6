#!/usr/bin/env python3
"""The game natively on Wayland, as a player of a Wayland desktop meets it.

Starts a compositor of its own, headless sway drawing with pixman on one output of
2560x1600 pixels at scale 2 and with no X server, as an unprivileged user (sway will
not run as root: as root, the test runs sway and the game as `nobody`). Runs `krax
--record` there with a fixed seed and no --scale, and plays with the compositor's own
input (swaymsg's seat cursor and wtype's keyboard): the menu, START, a shot at the
bare ground, R, an empty gun and the reload screen, Reload, the code box and the close
box. The windows are checked as the compositor sees them (their app id, which names
the desktop entry, their size in points, their frame) and as it shows them: a capture
of the menu and of the reload screen (grim) must be drawn at the output's density and
look like `shot`'s drawing of the same screen. Then the output's scale drops to 1 under
the open game screen, which must play on, and the reload screen opened then must show
exactly `shot`'s pixels. Last the recording must replay headless to the same state.

usage: wayland_test.py KRAX DESKTOP_ENTRY   exit 0 passed, 1 failed, 77 skipped
"""

import json
import os
import pwd
import shutil
import socket
import struct
import subprocess
import sys
import tempfile
import time
import zlib

import window_test as w
from window_test import Failed, check, wait_for

OUTPUT_SCALE = 2
# The output in points: the game's windows are as many points as their screens' pixels.
OUTPUT = (1280, 800)
# The greatest difference, in a colour channel, between a capture brought down to one
# pixel a point and `shot`'s drawing: the two draw edges and text at different sizes.
MOST_ANY, MOST_MEAN = 96, 2.0
# Of the 2x2 blocks of a capture, those of more than one colour: a window drawn at one
# pixel a point and scaled by the compositor has none.
LEAST_DETAILED = 0.02
CODE_BOX_SIZE = (375, 140)  # in the box's own pixels


class SeatDevices:
    """Input devices for the compositor's seat, through its virtual device protocols:
    the headless compositor has none of its own, and a seat without a pointer or a
    keyboard gives windows no such events. swaymsg's seat cursor moves and clicks the
    pointer. The keyboard, which has no keymap, types nothing: wtype brings a keyboard
    of its own for its keys, which, with this one there, reach a game that has already
    taken the seat's keyboard."""

    def __init__(self, path):
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect(path)
        self.last_id = 1  # the display's
        self.received = b""
        registry = self._request(1, 1)  # wl_display.get_registry
        names = {}
        for sender, opcode, body in self._roundtrip():
            if sender == registry and opcode == 0:  # wl_registry.global
                length = struct.unpack_from("<I", body, 4)[0]
                names[body[8: 7 + length].decode()] = struct.unpack_from("<I", body)[0]
        self.registry, self.names = registry, names
        pointers = self._bind("zwlr_virtual_pointer_manager_v1")
        self._request(pointers, 0, struct.pack("<I", 0))  # create_virtual_pointer on the default seat
        self._roundtrip()

    def add_keyboard(self):
        """Once the game has started, as it would find a seat with no keyboard yet."""
        seat = self._bind("wl_seat")
        self._request(self._bind("zwp_virtual_keyboard_manager_v1"), 0, struct.pack("<I", seat))
        self._roundtrip()

    def _bind(self, interface):
        """Version 1 of a global object."""
        if interface not in self.names:
            raise Failed("the compositor has no " + interface)
        raw = interface.encode() + b"\0"
        return self._request(self.registry, 0, struct.pack("<II", self.names[interface], len(raw)) + raw
                             + b"\0" * (-len(raw) % 4) + struct.pack("<I", 1))

    def _request(self, target, opcode, args=b""):
        """Sends a request whose last argument is a new object; returns its id."""
        self.last_id += 1
        args += struct.pack("<I", self.last_id)
        self.sock.sendall(struct.pack("<II", target, (8 + len(args)) << 16 | opcode) + args)
        return self.last_id

    def _roundtrip(self):
        """The events sent until the compositor has handled every request so far."""
        done = self._request(1, 0)  # wl_display.sync
        events = []
        while True:
            while len(self.received) >= 8:
                sender, word = struct.unpack_from("<II", self.received)
                if len(self.received) < word >> 16:
                    break
                if sender == done:
                    self.received = self.received[word >> 16:]
                    return events
                events.append((sender, word & 0xFFFF, self.received[8: word >> 16]))
                self.received = self.received[word >> 16:]
            chunk = self.sock.recv(4096)
            if not chunk:
                raise Failed("the compositor closed the test's connection")
            self.received += chunk

    def close(self):
        self.sock.close()


class Compositor:
    """Headless sway in `workdir`, run by `user` (a pwd entry; None: the test's own)."""

    def __init__(self, workdir, user):
        self.user = user
        self.runtime = os.path.join(workdir, "runtime")
        self.home = os.path.join(workdir, "home")
        for folder in (workdir, self.runtime, self.home):
            os.makedirs(folder, mode=0o700, exist_ok=True)
            if user:
                os.chown(folder, user.pw_uid, user.pw_gid)
        config = os.path.join(workdir, "sway.config")
        with open(config, "w") as f:
            f.write(f"output * resolution {OUTPUT[0] * OUTPUT_SCALE}x{OUTPUT[1] * OUTPUT_SCALE} scale {OUTPUT_SCALE}\n"
                    "xwayland disable\n")
        self.env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": self.home, "XDG_RUNTIME_DIR": self.runtime}
        self.log = open(os.path.join(workdir, "sway.log"), "w+")
        self.sway = subprocess.Popen(["sway", "-c", config], env=dict(self.env, WLR_BACKENDS="headless",
                                     WLR_LIBINPUT_NO_DEVICES="1", WLR_RENDERER="pixman"),
                                     stdout=self.log, stderr=subprocess.STDOUT, **self.as_user())
        self.devices = None

    def as_user(self):
        """What runs a program as the compositor's user."""
        return dict(user=self.user.pw_uid, group=self.user.pw_gid, extra_groups=[]) if self.user else {}

    def started(self, timeout=10.0):
        """True once the compositor answers on both of its sockets, and has a pointer."""
        end = time.monotonic() + timeout
        while time.monotonic() < end and self.sway.poll() is None:
            names = os.listdir(self.runtime)
            display = next((n for n in names if n.startswith("wayland-") and not n.endswith(".lock")), None)
            ipc = next((n for n in names if n.startswith("sway-ipc.")), None)
            if display and ipc:
                self.env.update(WAYLAND_DISPLAY=display, SWAYSOCK=os.path.join(self.runtime, ipc))
                if subprocess.run(["swaymsg", "-t", "get_version"], env=self.env, capture_output=True,
                                  **self.as_user()).returncode == 0:
                    self.devices = SeatDevices(os.path.join(self.runtime, display))
                    return True
            time.sleep(0.05)
        return False

    def why_not(self):
        self.log.seek(0)
        lines = self.log.read().strip().splitlines()
        return lines[-1] if lines else f"it ended with status {self.sway.poll()}"

    def stop(self):
        if self.devices:
            self.devices.close()
        self.sway.terminate()
        self.sway.wait()


class WaylandSession(w.Session):
    """The X11 window test's session, in the compositor's windows: a window is known by
    its container's id in sway's tree."""

    scale = 1  # the output's scale is the compositor's

    def __init__(self, krax, compositor, workdir):
        self.krax = krax
        self.compositor = compositor
        self.env = {name: value for name, value in os.environ.items() if name not in ("DISPLAY", "SDL_VIDEODRIVER")}
        self.env.update(compositor.env)
        # Sound into SDL's dummy device, the player's remembered choice and kept rounds left
        # alone: as the X11 test has them.
        self.state_home = os.path.join(workdir, "state")
        self.env.update(SDL_AUDIODRIVER="dummy", XDG_CONFIG_HOME=os.path.join(workdir, "config"),
                        XDG_STATE_HOME=self.state_home)
        # As the X11 test has it, and for the same reason: the window system's libraries.
        asan = self.env.get("ASAN_OPTIONS")
        self.env["ASAN_OPTIONS"] = (asan + ":" if asan else "") + "detect_leaks=0"
        # A copy that the compositor's user can run, wherever the build is.
        game = os.path.join(workdir, "krax")
        shutil.copy(krax, game)
        self.recording = os.path.join(workdir, "session.script")
        self.probe = os.path.join(workdir, "probe.script")
        self.workdir = workdir
        self.errors = open(os.path.join(workdir, "krax.err"), "w+")
        self.game = subprocess.Popen([game, "--seed", str(w.SEED), "--record", self.recording], env=self.env,
                                     stderr=self.errors, cwd=workdir, **compositor.as_user())

    def tool(self, *args, check_status=True):
        done = subprocess.run(args, env=self.env, capture_output=True, text=True, **self.compositor.as_user())
        if check_status and done.returncode != 0:
            raise Failed(f"{' '.join(args)}: {done.stderr.strip()}")
        return done.stdout

    def sway(self, command):
        self.tool("swaymsg", command)

    def views(self):
        """The game's windows as sway's tree has them: container id -> its node. A window
        is shown first with no frame ("none"), and framed as it asked a moment later,
        which moves its client area: until then it is left out."""
        found = {}

        def walk(node):
            if node.get("pid") == self.game.pid and node.get("visible") and node["border"] != "none":
                found[node["id"]] = node
            for child in node.get("nodes", []) + node.get("floating_nodes", []):
                walk(child)

        walk(json.loads(self.tool("swaymsg", "-r", "-t", "get_tree")))
        return found

    def windows(self):
        """id -> (caption, x, y, width, height) of the client area, in points."""
        return {wid: (node.get("name") or "", node["rect"]["x"] + node["window_rect"]["x"],
                      node["rect"]["y"] + node["window_rect"]["y"], node["window_rect"]["width"],
                      node["window_rect"]["height"]) for wid, node in self.views().items()}

    def click(self, wid, px, py, button=1):
        x, y = self.origin(wid)
        self.sway(f"seat - cursor set {x + px} {y + py}; seat - cursor press button{button}; "
                  f"seat - cursor release button{button}")

    def focus(self, wid):
        self.sway(f"[con_id={wid}] focus")

    def keys(self, wid, *names):
        self.focus(wid)
        self.type(*(a for name in names for a in ("-k", name)))

    def type(self, *words):
        self.tool("wtype", "-d", "30", *words)

    def close_box(self, wid):
        self.sway(f"[con_id={wid}] kill")

    def capture(self, wid, name):
        """The compositor's picture of a window's client area: width, height and RGB bytes."""
        _, x, y, width, height = self.shown(wid)
        path = os.path.join(self.workdir, name + ".ppm")
        self.tool("grim", "-g", f"{x},{y} {width}x{height}", "-t", "ppm", path)
        return read_ppm(path)

    def shot(self, form, name):
        """`shot`'s drawing of a screen as the recording so far leaves it."""
        path = os.path.join(self.workdir, name + ".png")
        with open(self.probe, "w") as f:
            f.write("\n".join(self.lines() + [f"shot {form} {path}"]) + "\n")
        done = subprocess.run([self.krax, "--headless", "--script", self.probe], capture_output=True, text=True)
        if done.returncode != 0:
            raise Failed(f"shot {form}: {done.stderr.strip()}")
        return read_png(path)


def read_ppm(path):
    with open(path, "rb") as f:
        magic, size, depth, pixels = f.read().split(b"\n", 3)
    width, height = map(int, size.split())
    if magic != b"P6" or depth != b"255":
        raise Failed(f"{path} is not a binary PPM of 8-bit channels")
    return width, height, pixels


def read_png(path):
    """A PNG of 8-bit RGB, not interlaced, as `shot` writes it: width, height and RGB bytes."""
    with open(path, "rb") as f:
        data = f.read()
    at, packed = 8, b""
    while at < len(data):
        length, kind = struct.unpack_from(">I4s", data, at)
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack_from(">IIBBBBB", data, at + 8)
            if (depth, colour, interlace) != (8, 2, 0):
                raise Failed(f"{path} is not 8-bit RGB")
        elif kind == b"IDAT":
            packed += data[at + 8: at + 8 + length]
        at += 12 + length
    rows, stride = zlib.decompress(packed), width * 3
    pixels, above = bytearray(), bytearray(stride)
    for y in range(height):
        kind, row = rows[y * (stride + 1)], bytearray(rows[y * (stride + 1) + 1: (y + 1) * (stride + 1)])
        for i in range(stride):
            left = row[i - 3] if i >= 3 else 0
            corner = above[i - 3] if i >= 3 else 0
            row[i] = (row[i] + unfiltered(kind, left, above[i], corner)) & 255
        pixels += row
        above = row
    return width, height, bytes(pixels)


def unfiltered(kind, left, up, corner):
    """What a PNG row filter took away from a byte."""
    if kind == 1:
        return left
    if kind == 2:
        return up
    if kind == 3:
        return (left + up) // 2
    if kind == 4:
        guess = left + up - corner
        return min((left, up, corner), key=lambda v: abs(guess - v))  # ties: left, then up
    return 0


def compare_with_shot(s, wid, form, label, scale=OUTPUT_SCALE, timeout=5.0):
    """The compositor shows the screen at the output's scale, as `shot` draws it. It
    shows a window on its next frame after the window is in its tree: captured again
    until alike, or until `timeout` seconds have passed."""
    name = f"{form}-{scale}x"
    width, height, drawn = s.shot(form, name)
    end = time.monotonic() + timeout
    while True:
        cw, ch, captured = s.capture(wid, name)
        findings = [((cw, ch) == (width * scale, height * scale),
                     f"the capture of {label} is {cw}x{ch} pixels: {scale} a point")]
        if findings[0][0] and scale == 1:
            findings.append((captured == drawn, f"{label} shows exactly the pixels that shot draws"))
        elif findings[0][0]:
            findings += likeness(label, width, height, drawn, captured)
        if all(holds for holds, _ in findings) or time.monotonic() > end:
            break
        time.sleep(0.1)
    if not all(holds for holds, _ in findings):
        print("the capture and shot's drawing are kept in", keep(s.workdir, name))
    for holds, what in findings:
        check(holds, what)


def likeness(label, width, height, drawn, captured):
    """How a capture at twice the size is like a drawing: (holds, what) for each check."""
    detailed = worst = total = 0
    for y in range(height):
        for x in range(width):
            corners = [((2 * y + dy) * width * 2 + 2 * x + dx) * 3 for dy in (0, 1) for dx in (0, 1)]
            detailed += len({captured[i: i + 3] for i in corners}) > 1
            for c in range(3):
                difference = abs(sum(captured[i + c] for i in corners) / 4 - drawn[(y * width + x) * 3 + c])
                worst = max(worst, difference)
                total += difference
    share, mean = detailed / (width * height), total / (width * height * 3)
    return [(share >= LEAST_DETAILED, f"{label} is drawn at the output's density ({100 * share:.1f} % of its 2x2 "
                                      "blocks not of one colour)"),
            (worst <= MOST_ANY and mean <= MOST_MEAN, f"{label} looks as shot draws it (brought down to a pixel a "
                                                      f"point: a channel differs by {mean:.2f} on average, "
                                                      f"{worst:.0f} at most)")]


def keep(workdir, name):
    """A copy of a capture (.ppm) and of a drawing (.png) that outlives the test: their path less the extension."""
    handle, kept = tempfile.mkstemp(prefix=f"krax-wayland-{name}-")
    os.close(handle)
    os.remove(kept)
    for extension in (".ppm", ".png"):
        shutil.copy(os.path.join(workdir, name + extension), kept + extension)
    return kept


def check_view(s, wid, caption, width, height, app_id, framed=True):
    node = s.views()[wid]
    label = caption or "the reload screen"
    size = (node["window_rect"]["width"], node["window_rect"]["height"])
    check((node.get("name") or "", size) == (caption, (width, height)),
          f'"{label}" has its caption and a client area of {size[0]}x{size[1]} points')
    check(node["type"] == "floating_con", f'"{label}" floats at its own size (a window of one size is not tiled)')
    check(node.get("app_id") == app_id, f'"{label}" has the app id {node.get("app_id")}, the desktop entry\'s')
    # "csd": a window that draws its own frame, here none.
    check(node["border"] == ("normal" if framed else "csd"),
          f'"{label}" ' + ("has the compositor's title bar" if framed else "has no frame") + f" ({node['border']})")


def play(s, app_id):
    menu = s.window(*w.MENU)
    s.compositor.devices.add_keyboard()
    check_view(s, menu, *w.MENU, app_id)
    compare_with_shot(s, menu, "Form1", "the menu")
    s.click(menu, *s.centre("Form1", "Image5"))  # START

    game = s.window(*w.GAME)
    s.gone(menu)
    check_view(s, game, *w.GAME, app_id)
    check(s.state("App.ActiveForm")["App.ActiveForm"] == "Form2", "START opens the game screen")

    s.shoot_ground(game)  # waits for the click's exact point in the recording
    paths = ("Form2.intTimeLeft", "Form2.intBullets")
    shot, unshot = s.effect(s.click_lines("Form2", *w.GROUND), *paths)
    check(int(shot[paths[0]]) == int(unshot[paths[0]]) - 1 and int(shot[paths[1]]) == int(unshot[paths[1]]) - 1,
          "a click on the bare ground lands where it was made, and costs a second and a carrot")
    s.keys(game, "r")
    wait_for(lambda: s.state("Form2.intBullets")["Form2.intBullets"] == "6", "R to fill the gun", 5)
    check(True, "R fills the gun")

    empty_gun(s, game)
    reload_screen = s.window(*w.RELOAD)
    check_view(s, reload_screen, *w.RELOAD, app_id, framed=False)
    check(s.state("Form2.Enabled")["Form2.Enabled"] == "False", "six shots disable the game screen")
    compare_with_shot(s, reload_screen, "frmCredits", "the reload screen")
    w.refuse_close_then_reload(s, reload_screen)

    # The output's scale changes under the open game screen, which plays on; a window
    # opened then has one pixel a point.
    s.sway("output * scale 1")
    empty_gun(s, game)
    reload_screen = s.window(*w.RELOAD)
    compare_with_shot(s, reload_screen, "frmCredits", "the reload screen at scale 1", scale=1)
    s.click(reload_screen, *s.centre("frmCredits", "Image2"))  # Reload
    s.gone(reload_screen)
    check(s.state("Form2.Enabled")["Form2.Enabled"] == "True", "the game screen plays on at the output's new scale")

    s.keys(game, "Up")
    box = wait_for(lambda: next((b for b, v in s.windows().items() if v[0] == w.CODE_BOX), None), "the code box")
    check_view(s, box, w.CODE_BOX, *CODE_BOX_SIZE, app_id)
    s.focus(box)
    s.type("47", "-k", "Return")
    s.gone(box)
    upto = wait_for(lambda: w.lines_through(s.lines(), 'answer "47"', "keyup 38"), "the answer in the recording", 5)
    now = s.state("Form2.intTimeLeft", "Form2.strCode", lines=upto)
    check(now == {"Form2.intTimeLeft": "10", "Form2.strCode": "47"},
          'Up opens the code box; "47" and Enter set the clock to 10')

    w.close_cleanly(s, game)


def empty_gun(s, game):
    for _ in range(6):
        s.shoot_ground(game)


def desktop_app_id(entry):
    """The app id that a desktop matches with the entry: its file's name, and the class
    it says its windows have."""
    app_id = os.path.basename(entry).removesuffix(".desktop")
    with open(entry) as f:
        declared = [line.partition("=")[2].strip() for line in f if line.startswith("StartupWMClass=")]
    if declared != [app_id]:
        raise Failed(f"{entry} says its windows' class is {declared}, not {app_id}")
    return app_id


def main():
    krax, entry = os.path.abspath(sys.argv[1]), sys.argv[2]
    missing = [t for t in ("sway", "swaymsg", "grim", "wtype") if not shutil.which(t)]
    if missing:
        print("SKIPPED: the Wayland test needs " + ", ".join(missing))
        return w.SKIPPED
    app_id = desktop_app_id(entry)
    user = pwd.getpwnam("nobody") if os.geteuid() == 0 else None  # sway refuses to run as root
    with tempfile.TemporaryDirectory(prefix="krax-wayland-compositor-") as top:
        compositor = Compositor(top, user)
        try:
            if not compositor.started():
                print("SKIPPED: the compositor would not start:", compositor.why_not())
                return w.SKIPPED
            return 0 if w.play_recorded(krax, "krax-wayland-", lambda workdir: WaylandSession(
                krax, compositor, compositor_folder(workdir, user)), lambda s: play(s, app_id), lambda s: None) else 1
        finally:
            compositor.stop()


def compositor_folder(workdir, user):
    """`workdir`, made the compositor's user's, where the game writes its recording."""
    if user:
        os.chown(workdir, user.pw_uid, user.pw_gid)
    return workdir


if __name__ == "__main__":
    sys.exit(main())
