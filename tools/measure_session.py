#!/usr/bin/env python3
"""Measures the real quibo program in a real window over a scripted session.

Starts a private Xvfb display (Mesa software GL), starts quibo on it with
QUIBO_FRAME_LOG pointing at a temporary file (one line per presented frame and
per touch, monotonic clock), drives it with xdotool clicks and reads the
process's CPU time and memory from /proc. Prints every figure of the session:

  start to first presented frame, resident memory then
  idle main menu and idle page: CPU share of one core, presented frames
  largest gap between presented frames from a click on a grid entry,
    next, previous, to the end of the turn
  resident memory at the main menu, after each page of the book, over
    N turns back and forth (the last 100 turns' growth) and the peak

    python3 tools/measure_session.py [--binary build/app/quibo] [--turns 300]
                                     [--idle 10] [--json FILE]

Needs Xvfb and xdotool; prints the figures as a table (and as JSON with
--json). The numbers depend on the machine: rerun before and after a change.
"""

import argparse
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)

DESIGN_W, DESIGN_H = 640, 960
# Design points (y up) of the controls the session presses.
MAIN_SELECT = (320, 436)
MAIN_WORDS = (320, 528)
MAIN_CONTINUE = (320, 620)
MAIN_QUIT = (320, 344)
PAGE_NEXT = (356, 42)
PAGE_PREVIOUS = (284, 42)
PAGE_RETURN = (60, 30)
GRID_SLIDE_SECONDS = 2.5
# A turn plays 0.5 s; frames later than this after the click belong to the page.
TURN_WINDOW = 1.0
# Time given to a turn before the next click (touches are off while it plays).
TURN_WAIT = 0.8


def cpu_seconds_of(pid):
    """User and system CPU seconds a process has used so far."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def grid_entry(page, first=1):
    """Design point of a page's square in the selection grid."""
    i = page - first
    return (80 + 160 * (i % 4), 848 - 160 * (i // 4))


class Display:
    """A private Xvfb server."""

    def __init__(self):
        r, w = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(w), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            pass_fds=(w,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(w)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(r, 16)
            if not chunk:
                raise RuntimeError("Xvfb did not start")
            number += chunk
        os.close(r)
        self.name = ":" + number.decode().strip()

    def close(self):
        self.proc.terminate()
        self.proc.wait()


class Quibo:
    """The program under test, its window and its frame log."""

    def __init__(self, binary, display, log_path):
        env = dict(os.environ)
        env.update({"DISPLAY": display, "LIBGL_ALWAYS_SOFTWARE": "1", "QUIBO_FRAME_LOG": log_path})
        env.setdefault("SDL_AUDIODRIVER", "dummy")
        self.env = env
        self.log_path = log_path
        self.started = time.monotonic()
        self.proc = subprocess.Popen([binary], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.pid = self.proc.pid
        self.window = None
        deadline = time.time() + 20
        while time.time() < deadline and not self.window:
            out = self.xdotool("search", "--pid", str(self.pid), "--name", "^quibo$", check=False)
            self.window = out.split()[0] if out.split() else None
            if self.proc.poll() is not None:
                raise RuntimeError("quibo ended before its window opened")
            time.sleep(0.05)
        if not self.window:
            raise RuntimeError("no quibo window within 20 s")
        geometry = self.xdotool("getwindowgeometry", "--shell", self.window)
        values = dict(line.split("=", 1) for line in geometry.split() if "=" in line)
        self.width, self.height = int(values["WIDTH"]), int(values["HEIGHT"])

    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool"] + list(args), env=self.env, capture_output=True, text=True)
        if check and result.returncode != 0:
            raise RuntimeError("xdotool %s failed: %s" % (args, result.stderr))
        return result.stdout

    def click(self, point):
        """Clicks a design point; returns the monotonic time just before."""
        x = int(point[0] * self.width / DESIGN_W)
        y = int((DESIGN_H - point[1]) * self.height / DESIGN_H)
        t = time.monotonic()
        self.xdotool("mousemove", "--window", self.window, str(x), str(y), "click", "1")
        return t

    def lines(self):
        with open(self.log_path) as f:
            return [line.split() for line in f if line.strip()]

    def marks(self, kind):
        return [float(p[1]) for p in self.lines() if p[0] == kind and len(p) > 1]

    def cpu_seconds(self):
        return cpu_seconds_of(self.pid)

    def memory_mb(self, key="VmRSS"):
        with open("/proc/%d/status" % self.pid) as f:
            for line in f:
                if line.startswith(key + ":"):
                    return int(line.split()[1]) / 1024.0
        return 0.0

    def wait_for_first_frame(self, timeout=20):
        deadline = time.time() + timeout
        while time.time() < deadline:
            frames = self.marks("frame")
            if frames:
                return frames[0]
            time.sleep(0.01)
        raise RuntimeError("no frame presented within %d s" % timeout)

    def quit(self):
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()


def idle(q, server, seconds):
    """CPU share of one core (quibo's, and the X server's that shows its
    frames) and frames presented over `seconds` of stillness."""
    frames_before = len(q.marks("frame"))
    cpu_before, x_before, t_before = q.cpu_seconds(), cpu_seconds_of(server.proc.pid), time.monotonic()
    time.sleep(seconds)
    cpu_after, x_after, t_after = q.cpu_seconds(), cpu_seconds_of(server.proc.pid), time.monotonic()
    frames = len(q.marks("frame")) - frames_before
    span = t_after - t_before
    return {"cpu_percent": 100.0 * (cpu_after - cpu_before) / span,
            "x_server_cpu_percent": 100.0 * (x_after - x_before) / span,
            "frames": frames, "seconds": span}


def largest_gap(q, clicked_at, window=TURN_WINDOW):
    """The longest wait between presented frames (starting at the touch the
    click made) within `window` seconds of that touch; None without a touch."""
    touches = [t for t in q.marks("touch") if t >= clicked_at]
    if not touches:
        return None
    start = touches[0]
    frames = [t for t in q.marks("frame") if start <= t <= start + window]
    points = [start] + frames
    gaps = [b - a for a, b in zip(points, points[1:])]
    return {"gap_ms": 1000.0 * max(gaps) if gaps else None, "frames": len(frames),
            "first_frame_ms": 1000.0 * (frames[0] - start) if frames else None}


def settle(seconds):
    time.sleep(seconds)


def run_session(args):
    figures = {}
    display = Display()
    log = tempfile.NamedTemporaryFile(prefix="quibo-frames-", suffix=".log", delete=False)
    log.close()
    q = None
    try:
        q = Quibo(args.binary, display.name, log.name)
        first = q.wait_for_first_frame()
        figures["start_to_first_frame_ms"] = 1000.0 * (first - q.started)
        figures["rss_at_first_frame_mb"] = q.memory_mb()
        settle(1.5)
        figures["idle_main_menu"] = idle(q, display, args.idle)
        figures["rss_main_menu_mb"] = q.memory_mb()

        # The grid, then page 1 from its entry.
        q.click(MAIN_SELECT)
        settle(GRID_SLIDE_SECONDS)
        figures["rss_grid_mb"] = q.memory_mb()
        figures["peak_rss_to_grid_mb"] = q.memory_mb("VmHWM")
        t = q.click(grid_entry(1))
        settle(1.5)
        figures["grid_entry_gap"] = largest_gap(q, t)
        figures["idle_page"] = idle(q, display, args.idle)

        # The whole story forward, then back, page by page.
        pages = {"rss_page_1_mb": q.memory_mb()}
        forward, back = [], []
        for page in range(2, args.last_page + 1):
            t = q.click(PAGE_NEXT)
            settle(TURN_WAIT + 0.2)
            forward.append(largest_gap(q, t))
            pages["rss_page_%d_mb" % page] = q.memory_mb()
        for _ in range(2, args.last_page + 1):
            t = q.click(PAGE_PREVIOUS)
            settle(TURN_WAIT + 0.2)
            back.append(largest_gap(q, t))
        figures["book_pages"] = pages
        figures["peak_rss_to_book_end_mb"] = q.memory_mb("VmHWM")
        figures["next_gap_ms"] = max(g["gap_ms"] for g in forward if g and g["gap_ms"] is not None)
        figures["previous_gap_ms"] = max(g["gap_ms"] for g in back if g and g["gap_ms"] is not None)
        figures["rss_after_book_mb"] = q.memory_mb()

        # Word learning from the main menu, then back to the first page.
        q.click(PAGE_RETURN)
        settle(1.0)
        q.click(MAIN_WORDS)
        settle(1.5)
        figures["rss_word_page_mb"] = q.memory_mb()
        figures["peak_rss_to_word_page_mb"] = q.memory_mb("VmHWM")
        q.click(PAGE_RETURN)
        settle(1.0)
        q.click(MAIN_SELECT)
        settle(GRID_SLIDE_SECONDS)
        t = q.click(grid_entry(1))
        settle(1.5)

        # Turns back and forth across the story.
        page, step = 1, 1
        gaps, rss = [], []
        cpu_before, t_before = q.cpu_seconds(), time.monotonic()
        for _ in range(args.turns):
            if not 1 <= page + step <= args.last_page:
                step = -step
            t = q.click(PAGE_NEXT if step > 0 else PAGE_PREVIOUS)
            page += step
            settle(TURN_WAIT)
            rss.append(q.memory_mb())
            gaps.append(largest_gap(q, t))
        cpu_after, t_after = q.cpu_seconds(), time.monotonic()
        measured = [g["gap_ms"] for g in gaps if g and g["gap_ms"] is not None]
        measured.sort()
        figures["turns"] = {
            "count": args.turns,
            "turns_with_a_touch": len(measured),
            "largest_gap_ms": measured[-1] if measured else None,
            "gap_p95_ms": measured[int(0.95 * (len(measured) - 1))] if measured else None,
            "rss_mb_at": {str(n): rss[n - 1] for n in (1, 100, 200, 300) if n <= len(rss)},
            "last_100_growth_mb": (rss[-1] - rss[-101]) if len(rss) > 100 else None,
            "cpu_percent": 100.0 * (cpu_after - cpu_before) / (t_after - t_before),
        }
        figures["peak_rss_mb"] = q.memory_mb("VmHWM")
        # Back to the main menu and out through its quit button.
        q.click(PAGE_RETURN)
        settle(1.0)
        q.click(MAIN_QUIT)
        try:
            q.proc.wait(timeout=5)
            figures["exit_status"] = q.proc.returncode
        except subprocess.TimeoutExpired:
            figures["exit_status"] = "still running 5 s after quit"
        for parts in q.lines():
            if parts[0] == "end":
                figures["frame_log_end"] = " ".join(parts[1:])
    finally:
        if q:
            q.quit()
        display.close()
        if args.keep_log:
            print("frame log kept in", log.name)
        else:
            os.unlink(log.name)
    return figures


def show(figures):
    def fmt(v):
        return "%.1f" % v if isinstance(v, float) else str(v)

    def walk(prefix, value):
        if isinstance(value, dict):
            for k, v in value.items():
                walk(prefix + k + ".", v)
        else:
            print("%-44s %s" % (prefix[:-1], fmt(value)))

    walk("", figures)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--binary", default=os.path.join(ROOT, "build", "app", "quibo"))
    parser.add_argument("--turns", type=int, default=300)
    parser.add_argument("--idle", type=float, default=10.0, help="seconds of each idle measurement")
    parser.add_argument("--last-page", type=int, default=8, help="the story's last page (pageMax)")
    parser.add_argument("--json", help="also write the figures to this file")
    parser.add_argument("--keep-log", action="store_true", help="keep the frame log")
    args = parser.parse_args()
    for tool in ("Xvfb", "xdotool"):
        if not shutil.which(tool):
            sys.exit("%s is needed (apt-get install xvfb xdotool)" % tool)
    if not os.access(args.binary, os.X_OK):
        sys.exit("no program at %s (build first)" % args.binary)
    figures = run_session(args)
    show(figures)
    if args.json:
        with open(args.json, "w") as f:
            json.dump(figures, f, indent=2)


if __name__ == "__main__":
    main()
