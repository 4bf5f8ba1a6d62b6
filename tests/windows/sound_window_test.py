#!/usr/bin/env python3
"""krax.exe's sound under Wine, checked as tests/sound_window_test.py checks the Linux
build's: SDL's disk audio driver writes what the game plays into a named pipe, which must
hold each effect's pinned samples, and silence after M and with --mute; with no device
(an audio driver Windows has not), one line. The choice is kept in the Wine prefix's
%APPDATA%\\KRAX\\, and left there as it was found.

usage: sound_window_test.py WINE KRAX_EXE LINUX_KRAX SOUND_SUMS_HPP
exit 0 passed, 1 failed, 77 skipped (no X server, or no Linux build to read the game with)
"""

import getpass
import importlib.util
import os
import sys

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, ".."))
import sound_window_test as sound  # noqa: E402  the Linux test's starts and checks
import window_test as linux  # noqa: E402

# The Wine session, from the Wine window test (whose file name is the Linux one's).
found = importlib.util.spec_from_file_location("wine_window_test", os.path.join(here, "window_test.py"))
wine_window = importlib.util.module_from_spec(found)
found.loader.exec_module(wine_window)


def choice_file():
    """The game's %APPDATA%\\KRAX\\sound in the prefix tools/windows/wine.sh uses."""
    cache = os.environ.get("XDG_CACHE_HOME") or os.path.join(os.path.expanduser("~"), ".cache")
    prefix = os.environ.get("KRAX_WINEPREFIX") or os.path.join(cache, "krax", "wine")
    return os.path.join(prefix, "drive_c", "users", getpass.getuser(), "AppData", "Roaming", "KRAX", "sound")


def main():
    wine, exe, krax = (os.path.abspath(a) if a else a for a in sys.argv[1:4])
    header = sys.argv[4]
    if not krax or not os.path.exists(krax):
        print("SKIPPED: no Linux build of krax to read the game with")
        return linux.SKIPPED
    config = choice_file()
    kept = open(config).read() if os.path.exists(config) else None

    def play(display, workdir):
        def session_of(env, args, raw):
            env = env or {"SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": "Z:" + raw.replace("/", "\\")}
            return wine_window.WineSession(wine, exe, krax, display, workdir, env, args)
        os.makedirs(os.path.dirname(config), exist_ok=True)
        if os.path.exists(config):
            os.remove(config)
        sound.play_all(session_of, workdir, header, config, {"SDL_AUDIODRIVER": "alsa"})

    try:
        return sound.run(play)
    finally:
        if kept is None:
            if os.path.exists(config):
                os.remove(config)
        else:
            with open(config, "w") as f:
                f.write(kept)


if __name__ == "__main__":
    sys.exit(main())
