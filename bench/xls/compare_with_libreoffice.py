"""Times `brisvel-xls copy` of the full store against LibreOffice, headless,
loading and saving the same file with its password, and reports the peak memory
of the copy. With KEEP, LibreOffice's own copy of the store is kept there, for
timing the program on a store another program wrote.

Usage: compare_with_libreoffice.py BRISVEL_XLS STORE PASSWORD [KEEP]
"""

import os
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tests", "interop"))
from office import Office  # noqa: E402  (after the path is set)

RUNS = 7


def timed_runs(action, runs=RUNS):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        action()
        times.append(time.perf_counter() - start)
    return times


def main():
    tool, store, password = sys.argv[1:4]
    keep = sys.argv[4] if len(sys.argv) > 4 else None
    with tempfile.TemporaryDirectory(prefix="brisvel-bench-") as folder:
        ours_out = os.path.join(folder, "ours.xls")
        lo_out = os.path.join(folder, "lo.xls")

        def copy():
            subprocess.run([tool, "copy", store, ours_out, "--password", password,
                            "--out-password", password], check=True)

        copy()  # warm the page cache
        copies = timed_runs(copy)
        ours = statistics.median(copies)
        peak_mb = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss / 1024

        with Office() as office:
            def load():
                return office.load(store, password)

            load().close(True)  # warm up
            loads, saves = [], []
            for _ in range(3):
                start = time.perf_counter()
                doc = load()
                loaded = time.perf_counter()
                Office.save_as_xls(doc, lo_out, password)
                saved = time.perf_counter()
                doc.close(True)
                loads.append(loaded - start)
                saves.append(saved - loaded)
        lo_load, lo_save = statistics.median(loads), statistics.median(saves)
        if keep:
            shutil.copyfile(lo_out, keep)

    size_mb = os.path.getsize(store) / 1e6
    lo_total = lo_load + lo_save
    print()
    print("Store: %s, %.1f MB, encrypted" % (os.path.basename(store), size_mb))
    print("brisvel-xls copy (read, decrypt, parse, write, encrypt, save): %7.3f s" % ours)
    # Each copy as it went: on a machine whose fresh memory is at times slow to
    # come, the median alone hides two kinds of run.
    print("brisvel-xls copies, in the order run (ms): %s"
          % " ".join("%.0f" % (t * 1000) for t in copies))
    print("brisvel-xls copy peak memory (max RSS):                       %7.1f MB" % peak_mb)
    print("LibreOffice load:                                             %7.3f s" % lo_load)
    print("LibreOffice save:                                             %7.3f s" % lo_save)
    print("LibreOffice load + save:                                      %7.3f s" % lo_total)
    print("brisvel-xls copy is %.1fx faster than LibreOffice load + save" % (lo_total / ours))
    print("Goals: at least 30x faster (%s), peak under 60 MB (%s)"
          % ("met" if lo_total / ours >= 30 else "NOT met", "met" if peak_mb < 60 else "NOT met"))


if __name__ == "__main__":
    main()
