#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Start-up benchmark: exec → first frame and memory, the game against a bare window.

For each screen size a fresh Xvfb is started; the game (a portable copy: the binary
and its Data folder in a scratch folder, a fresh HOME, so the first-start zoom follows
the screen) and a bare frameless 640 × 480 Qt Widgets window built in the same tree
are started in alternation. A run's time is from just before exec to the first
drawing into a window of the new program, as the X server's DAMAGE extension reports
it; its memory is VmRSS a moment after that (once work put off until after the first
frame is done), and its idle CPU the processor time used over a quiet stretch after.

    bench/startup.py [--build DIR] [--runs N] [--display N] [--screens 1024x768,1920x1080,3840x2160]

Needs Xvfb and python3-xlib. Prints medians per screen and the ratios.

    bench/startup.py --soak MINUTES [--soak-screen 3840x2160]

plays the game by keys instead for that long (new games, answers, lifelines, the
record panel) and prints its memory every half minute: it should stay flat.
"""

import argparse
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X, XK, display as xdisplay
from Xlib.ext import damage, xtest

# First-start zoom of each screen size (largest step whose window takes at most four
# fifths of the height).
ZOOM_OF_SCREEN = {"1024x768": "1×", "1920x1080": "1.5×", "3840x2160": "3×"}


def start_xvfb(number, size):
    xvfb = subprocess.Popen(
        ["Xvfb", f":{number}", "-screen", "0", f"{size}x24", "-nolisten", "tcp", "-noreset"],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        try:
            conn = xdisplay.Display(f":{number}")
            conn.damage_query_version()
            # A window gone before it was watched is no failure of the run.
            conn.set_error_handler(lambda *args: None)
            return xvfb, conn
        except Exception:  # not listening yet
            if xvfb.poll() is not None:
                sys.exit(f"Xvfb :{number} did not start (display taken?)")
            time.sleep(0.05)
    xvfb.kill()
    sys.exit(f"Xvfb :{number} did not answer")


def rss_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    ticks = os.sysconf("SC_CLK_TCK")
    return (int(fields[11]) + int(fields[12])) / ticks


def start_program(conn, number, program, home):
    """Starts `program` with a fresh HOME; returns it, the seconds to its first frame
    and the window first drawn into."""
    root = conn.screen().root
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    conn.sync()
    env = {k: v for k, v in os.environ.items() if not k.startswith("XDG_")}
    env.update(HOME=home, DISPLAY=f":{number}", QT_QPA_PLATFORM="xcb")
    env.pop("WAYLAND_DISPLAY", None)
    started = time.monotonic()
    child = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    while True:
        if child.poll() is not None:
            sys.exit(f"{program} exited with {child.returncode} before its first frame")
        if time.monotonic() - started > 20:
            child.kill()
            sys.exit(f"{program} showed nothing within 20 s")
        if not conn.pending_events():
            time.sleep(0.0005)
            continue
        event = conn.next_event()
        if event.type == X.CreateNotify:
            # Watched from its creation: the first paint can follow the map at once.
            event.window.damage_create(damage.DamageReportNonEmpty)
            conn.flush()
        elif event.type == conn.extension_event.DamageNotify:
            return child, time.monotonic() - started, event.drawable


def stop_program(conn, child):
    conn.screen().root.change_attributes(event_mask=0)
    child.terminate()
    try:
        child.wait(5)
    except subprocess.TimeoutExpired:
        child.kill()
        child.wait()
    conn.sync()
    while conn.pending_events():
        conn.next_event()


def one_run(conn, number, program, settle, idle):
    """Seconds to the first frame, RSS in MiB and idle CPU in % of one core."""
    home = tempfile.mkdtemp(prefix="fartovik-bench-home-")
    child = None
    try:
        child, first_frame, _ = start_program(conn, number, program, home)
        time.sleep(settle)
        rss = rss_kib(child.pid) / 1024
        cpu_before, wall_before = cpu_seconds(child.pid), time.monotonic()
        time.sleep(idle)
        idle_cpu = 100 * (cpu_seconds(child.pid) - cpu_before) / (time.monotonic() - wall_before)
    finally:
        if child:
            stop_program(conn, child)
        shutil.rmtree(home, ignore_errors=True)
    return first_frame, rss, idle_cpu


# What a player presses over a long session: new games, answers, lifelines, the
# name confirmed on the record panel. Keys that end the program or ask before
# clearing the board are left out.
SOAK_KEYS = ["F2", "a", "b", "c", "d", "a", "b", "c", "d", "1", "2", "3", "Return", "Up", "Down"]


def press(conn, window, name):
    code = conn.keysym_to_keycode(XK.string_to_keysym(name))
    conn.set_input_focus(window, X.RevertToParent, X.CurrentTime)
    xtest.fake_input(conn, X.KeyPress, code)
    xtest.fake_input(conn, X.KeyRelease, code)
    conn.flush()


def soak(conn, number, program, minutes, seed):
    """Plays `program` by keys for `minutes`; prints RSS every half minute."""
    rng = random.Random(seed)
    home = tempfile.mkdtemp(prefix="fartovik-bench-home-")
    child = None
    try:
        child, first_frame, window = start_program(conn, number, program, home)
        window = conn.create_resource_object("window", window.id)
        print(f"first frame after {first_frame:.3f} s")
        print("| minute | RSS | CPU since the last line |")
        print("|---|---|---|")
        started = time.monotonic()
        samples = []
        next_sample, last_cpu, last_wall = started, cpu_seconds(child.pid), started
        while time.monotonic() - started < minutes * 60:
            if child.poll() is not None:
                sys.exit(f"{program} exited with {child.returncode} during the soak")
            while conn.pending_events():
                conn.next_event()
            now = time.monotonic()
            if now >= next_sample:
                rss = rss_kib(child.pid) / 1024
                cpu = cpu_seconds(child.pid)
                load = 100 * (cpu - last_cpu) / max(now - last_wall, 1e-6) if samples else 0.0
                samples.append(rss)
                last_cpu, last_wall = cpu, now
                print(f"| {(now - started) / 60:.1f} | {rss:.1f} MiB | {load:.1f} % |", flush=True)
                next_sample += 30
            press(conn, window, rng.choice(SOAK_KEYS))
            time.sleep(rng.uniform(0.3, 1.5))
        half = samples[len(samples) // 2:]
        print(f"RSS first {samples[0]:.1f} MiB, last {samples[-1]:.1f} MiB, max {max(samples):.1f} MiB; "
              f"second half {min(half):.1f} … {max(half):.1f} MiB")
    finally:
        if child:
            stop_program(conn, child)
        shutil.rmtree(home, ignore_errors=True)


def portable_copy(build):
    folder = tempfile.mkdtemp(prefix="fartovik-bench-game-")
    shutil.copy2(os.path.join(build, "fartovik"), folder)
    shutil.copytree(os.path.join(build, "Data"), os.path.join(folder, "Data"))
    return folder


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=os.path.join(os.path.dirname(__file__), "..", "build"))
    parser.add_argument("--runs", type=int, default=9, help="runs of each program per screen")
    parser.add_argument("--display", type=int, default=97, help="X display number to use")
    parser.add_argument("--screens", default="1024x768,1920x1080,3840x2160")
    parser.add_argument("--settle", type=float, default=1.0, help="seconds after the first frame before RSS")
    parser.add_argument("--idle", type=float, default=2.0, help="seconds of idle CPU measured")
    parser.add_argument("--soak", type=float, default=0, help="minutes of play by keys instead of start-up runs")
    parser.add_argument("--soak-screen", default="3840x2160")
    parser.add_argument("--seed", type=int, default=1, help="of the soak's keys")
    args = parser.parse_args()

    build = os.path.abspath(args.build)
    bare = os.path.join(build, "fartovik_bare_window")
    for needed in (os.path.join(build, "fartovik"), bare, os.path.join(build, "Data")):
        if not os.path.exists(needed):
            sys.exit(f"missing {needed}: build the targets fartovik, fartovik_bare_window and fartovik_question_bases")
    game_folder = portable_copy(build)
    game = os.path.join(game_folder, "fartovik")
    if args.soak > 0:
        xvfb, conn = start_xvfb(args.display, args.soak_screen)
        try:
            print(f"soak at {args.soak_screen} ({ZOOM_OF_SCREEN.get(args.soak_screen, '?')}), {args.soak:g} min")
            soak(conn, args.display, game, args.soak, args.seed)
        finally:
            conn.close()
            xvfb.terminate()
            xvfb.wait()
            shutil.rmtree(game_folder, ignore_errors=True)
        return
    try:
        print("| screen (zoom) | game | bare | ratio | game RSS | bare RSS | ratio | game idle CPU |")
        print("|---|---|---|---|---|---|---|---|")
        for size in args.screens.split(","):
            xvfb, conn = start_xvfb(args.display, size)
            try:
                results = {game: [], bare: []}
                one_run(conn, args.display, bare, 0.2, 0.1)  # warms the file cache
                one_run(conn, args.display, game, 0.2, 0.1)
                for _ in range(args.runs):
                    for program in (game, bare):
                        results[program].append(one_run(conn, args.display, program, args.settle, args.idle))
            finally:
                conn.close()
                xvfb.terminate()
                xvfb.wait()
            med = {p: [statistics.median(r[i] for r in runs) for i in range(3)] for p, runs in results.items()}
            g, b = med[game], med[bare]
            zoom = ZOOM_OF_SCREEN.get(size, "?")
            print(f"| {size} ({zoom}) | {g[0]:.3f} s | {b[0]:.3f} s | {g[0] / b[0]:.2f}× "
                  f"| {g[1]:.1f} MiB | {b[1]:.1f} MiB | {g[1] / b[1]:.2f}× | {g[2]:.2f} % |", flush=True)
    finally:
        shutil.rmtree(game_folder, ignore_errors=True)


if __name__ == "__main__":
    main()
