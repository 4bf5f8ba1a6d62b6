"""What the window benchmarks share: a free X display, the game's menu window found by
its caption, and the CPU and wake-ups of a process read from /proc."""
import os
import subprocess
import sys
import threading

START_BUTTON = (351, 343)  # the centre of START on the menu, in pixels at scale 1


def free_display():
    for n in range(90, 130):
        if not os.path.exists(f"/tmp/.X{n}-lock") and not os.path.exists(f"/tmp/.X11-unix/X{n}"):
            return f":{n}"
    sys.exit("krax bench: no free X display number")


def counters(pid):
    """Nanoseconds of CPU of all threads, and the voluntary context switches (wake-ups
    after a wait) of the main thread and of all threads."""
    cpu = main = every = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                cpu += int(f.read().split()[0])
            with open(f"/proc/{pid}/task/{task}/status") as f:
                switches = sum(int(line.split()[1]) for line in f if line.startswith("voluntary_ctxt_switches"))
        except FileNotFoundError:
            continue  # a thread that ended meanwhile
        every += switches
        if task == str(pid):
            main = switches
    return cpu, main, every


def menu_window(env):
    out = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "KRAX 1.0"],
                         env=env, capture_output=True, text=True, timeout=20).stdout.split()
    return out[0]


class ThreadSampler:
    """counters() for a process whose threads come and go (an audio thread lives as long
    as its device is open): every thread is read every 20 ms, and what each thread did
    counts up to its last reading. A thread's last 20 ms before it ends may be missed."""

    def __init__(self, pid):
        self.pid = pid
        self.seen = {}  # thread id -> (CPU ns, voluntary switches) at its last reading
        self.stop = threading.Event()
        self.first = self.read()
        self.thread = threading.Thread(target=self.run)
        self.thread.start()

    def read(self):
        for task in os.listdir(f"/proc/{self.pid}/task"):
            try:
                with open(f"/proc/{self.pid}/task/{task}/schedstat") as f:
                    cpu = int(f.read().split()[0])
                with open(f"/proc/{self.pid}/task/{task}/status") as f:
                    switches = sum(int(line.split()[1]) for line in f if line.startswith("voluntary_ctxt_switches"))
            except FileNotFoundError:
                continue
            self.seen[task] = (cpu, switches)
        return dict(self.seen)

    def run(self):
        while not self.stop.wait(0.02):
            self.read()

    def finish(self):
        """CPU ns of all threads, the main thread's wake-ups and all threads', since the start."""
        self.stop.set()
        self.thread.join()
        last = self.read()
        cpu = sum(c - self.first.get(t, (0, 0))[0] for t, (c, _) in last.items())
        every = sum(s - self.first.get(t, (0, 0))[1] for t, (_, s) in last.items())
        main = last[str(self.pid)][1] - self.first[str(self.pid)][1]
        return cpu, main, every
