#!/usr/bin/python3
"""Plays the game by keyboard on a private X display while reading it the way a
screen reader does: over the AT-SPI bus with pyatspi. Exits 77 (skipped) where the
display, the buses or pyatspi are missing.

usage: atspi_play.py GAME_BINARY DATA_FOLDER
"""
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop_session import DesktopSession, skip  # noqa: E402


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    game, data = sys.argv[1], sys.argv[2]
    with DesktopSession() as session:
        session.start_display_and_buses()
        env = session.env
        # The game runs from a folder of its own, so its board is a fresh one.
        shutil.copy(game, os.path.join(session.work, "fartovik"))
        shutil.copytree(data, os.path.join(session.work, "Data"))
        os.environ.update(env)  # pyatspi connects to the buses of this environment
        try:
            import pyatspi
        except Exception as error:  # noqa: BLE001
            skip("pyatspi is missing: %s" % error)

        game_env = dict(env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
                        QT_ACCESSIBILITY="1")
        session.start([os.path.join(session.work, "fartovik")], env=game_env, cwd=session.work)
        return play(pyatspi, env)


def play(pyatspi, env):
    failures = []

    def check(ok, what):
        print(("ok   " if ok else "FAIL ") + what)
        if not ok:
            failures.append(what)

    def find_window():
        for _ in range(100):
            desktop = pyatspi.Registry.getDesktop(0)
            for app in desktop:
                if app is not None and app.name == "fartovik" and app.childCount > 0:
                    return app[0]
            time.sleep(0.2)
        return None

    window = find_window()
    if window is None:
        print("FAIL the game never appeared on the accessibility bus")
        return 1
    print("window:", repr(window.name), "/", repr(window.description), "children:", window.childCount)

    def key(*keys):
        subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--class", "fartovik",
                        "windowfocus", "--sync", "key", "--delay", "80"] + list(keys),
                       env=env, check=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def item(i):
        return window[i]

    def enabled(acc):
        return acc.getState().contains(pyatspi.STATE_ENABLED)

    def wait_for(test, seconds):
        end = time.time() + seconds
        while time.time() < end:
            if test():
                return True
            time.sleep(0.2)
        return False

    def dump(title):
        print("--", title)
        for i in range(window.childCount):
            c = window[i]
            if c is None:
                continue
            states = c.getState()
            if not states.contains(pyatspi.STATE_SHOWING) and not states.contains(pyatspi.STATE_VISIBLE):
                continue
            print("  [%2d] %-12s %-40r %r%s" % (i, c.getRoleName(), c.name[:40], c.description,
                                                "" if enabled(c) else " (unavailable)"))

    dump("start screen")
    check(window.name == "О, фартовик!", "the window is named after the game")
    check(item(0).name.startswith("Чтобы начать новую игру"), "the invitation is read")

    rows_won = 0
    for attempt in range(12):
        key("F2")
        if not wait_for(lambda: item(0).name != "" and enabled(item(1)), 15):
            check(False, "a question appeared")
            break
        if attempt == 0:
            dump("question 1")
            check(item(0).name != "", "the question reads: " + item(0).name)
            answers = [item(p).name for p in range(1, 5)]
            check(all(a.startswith("Ответ %s, " % letter) and len(a) > 9 for a, letter in zip(answers, "ABCD")),
                  "four answers read: " + " | ".join(answers))
        key("1")
        wait_for(lambda: not enabled(item(5)), 3)
        off = [p for p in range(1, 5) if not enabled(item(p))]
        if attempt == 0:
            dump("after 50/50")
            check(len(off) == 2, "two answers unavailable after 50/50: " + str(off))
        left = [p for p in range(1, 5) if p not in off]
        key("abcd"[left[0] - 1])
        wait_for(lambda: "правильный" in "".join(item(p).description for p in range(1, 5)), 6)
        if attempt == 0:
            dump("judging")
        right = "правильный" in item(left[0]).description
        if not right:
            wait_for(lambda: window.description.startswith("Игра окончена"), 8)
            if attempt == 0:
                dump("lost")
            key("Return")
            wait_for(lambda: window.description == "Таблица лидеров", 5)
            key("Return")
            time.sleep(0.5)
            continue
        if not wait_for(lambda: window.description.startswith("Вопрос 2"), 8):
            continue
        wait_for(lambda: item(0).name != "" and enabled(item(1)), 15)
        key("ctrl+m")
        wait_for(lambda: window.description.startswith("Игра окончена"), 5)
        dump("record panel")
        key("ctrl+a")
        subprocess.run(["xdotool", "type", "--delay", "60", "Slepoy%d" % rows_won], env=env, check=False)
        key("Return")
        wait_for(lambda: window.description == "Таблица лидеров", 5)
        rows_won += 1
        if rows_won == 2:
            break
        key("Return")
        time.sleep(0.5)

    board = None
    for i in range(window.childCount):
        if window[i].getRoleName() == "table":
            board = window[i]
    check(board is not None, "the leaderboard is a table")
    if board is not None:
        table = board.queryTable()
        print("-- leaderboard: %d rows × %d columns" % (table.nRows, table.nColumns))
        rows = []
        for r in range(table.nRows):
            rows.append(" | ".join(table.getAccessibleAt(r, c).name for c in range(table.nColumns)))
            print("  ", rows[-1])
        check(rows_won == 2 and table.nRows == 2, "two won games stand on the board")
        check(any("Slepoy" in r for r in rows), "the typed names are read from the board")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
