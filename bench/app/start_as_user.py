"""The program started as a process, as a user starts it, on the empty store and
on full ones side by side, rounds alternated: from the start to the start window
painted, and from "Chiudi" (reached through "Continua" and the main menu) to the
process's end, on an Xvfb of its own. Each run starts from a fresh copy of its
store, since "Chiudi" writes the store over. Medians of five runs. Then each
area window of the main menu opened on the second store (the first full one),
from the button's press to the window painted: medians of three runs.

Usage: start_as_user.py BUILD_FOLDER NAME=STORE...
"""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tests", "support"))
from xvfb_display import Display  # noqa: E402  (after the path is set)

ROUNDS = 5
WINDOW_ROUNDS = 3
FIGURES = ["start_ms", "start_cpu_ms", "close_ms", "cpu_ms"]
WINDOW_FIGURES = ["start_ms", "start_cpu_ms", "open_ms", "open_cpu_ms"]
BUTTONS = ["Brisvel", "Gestione Clienti", "Posizione Cliente", "Gestione Incassi", "Scadenze",
           "Andamento"]


def run_once(build, store, display, work, button=None):
    folder = tempfile.mkdtemp(dir=work)
    shutil.copyfile(store, os.path.join(folder, "Gestione.xls"))
    env = {k: v for k, v in os.environ.items() if k != "BRISVEL_DATA_DIR"}
    env.update(DISPLAY=display.name, QT_QPA_PLATFORM="xcb")
    done = subprocess.run([os.path.join(build, "bench", "app", "time_start"),
                           os.path.join(build, "program", "brisvel"), folder]
                          + ([button] if button else []),
                          env=env, capture_output=True, text=True, timeout=120)
    if done.returncode != 0:
        sys.exit("start_as_user: %s" % done.stderr.strip())
    shutil.rmtree(folder)
    return dict(zip(WINDOW_FIGURES if button else FIGURES, map(float, done.stdout.split())))


def main():
    build = sys.argv[1]
    stores = [argument.split("=", 1) for argument in sys.argv[2:]]
    runs = {name: [] for name, _ in stores}
    with tempfile.TemporaryDirectory(prefix="brisvel-start-") as work, Display() as display:
        run_once(build, stores[0][1], display, work)  # the program's files in the page cache
        for round_ in range(ROUNDS):
            # Alternated, so a slow minute of the machine falls on each store alike.
            order = stores if round_ % 2 == 0 else stores[::-1]
            for name, store in order:
                runs[name].append(run_once(build, store, display, work))
        opened = {button: [run_once(build, stores[1][1], display, work, button)
                           for _ in range(WINDOW_ROUNDS)] for button in BUTTONS}
    print()
    print("The program as a process, medians of %d runs (ms):" % ROUNDS)
    print("%-22s %9s %12s %9s %9s" % ("store", "start", "start CPU", "Chiudi", "all CPU"))
    medians = {}
    for name, _ in stores:
        medians[name] = {f: statistics.median(r[f] for r in runs[name]) for f in FIGURES}
        print("%-22s %9.0f %12.0f %9.0f %9.0f" % (name, *(medians[name][f] for f in FIGURES)))
        print("  starts in the order run: %s" % " ".join("%.0f" % r["start_ms"]
                                                         for r in runs[name]))
    empty = medians[stores[0][0]]
    for name, _ in stores[1:]:
        full = medians[name]
        added_start = full["start_ms"] - empty["start_ms"]
        added_close = full["close_ms"] - empty["close_ms"]
        cpu_ratio = full["start_cpu_ms"] / max(empty["start_cpu_ms"], 1)
        print("%s against %s: start +%.0f ms, Chiudi +%.0f ms, start CPU %.1f times"
              % (name, stores[0][0], added_start, added_close, cpu_ratio))
        print("Goals: at most +100 ms each (%s, %s), start CPU at most 2 times (%s)"
              % ("met" if added_start <= 100 else "NOT met",
                 "met" if added_close <= 100 else "NOT met",
                 "met" if cpu_ratio <= 2 else "NOT met"))

    print()
    print("Each window opened on %s, medians of %d runs (ms):" % (stores[1][0], WINDOW_ROUNDS))
    print("%-22s %9s %9s" % ("button", "wall", "CPU"))
    slowest = 0
    for button in BUTTONS:
        wall = statistics.median(r["open_ms"] for r in opened[button])
        cpu = statistics.median(r["open_cpu_ms"] for r in opened[button])
        slowest = max(slowest, cpu)
        print("%-22s %9.0f %9.0f" % (button, wall, cpu))
    print("Goal: every window under 100 ms of CPU (%s)" % ("met" if slowest < 100 else "NOT met"))


if __name__ == "__main__":
    main()
