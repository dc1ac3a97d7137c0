"""An Xvfb of our own, for the scripts that start the real program: the installed
program's test and the start-up benchmark."""

import os
import subprocess


class Display:
    """An Xvfb of our own on a display number it picks itself."""

    def __enter__(self):
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
             "-nolisten", "tcp"], pass_fds=[write_end], stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as f:
            self.name = ":" + f.readline().strip()
        return self

    def __exit__(self, *exc):
        self.server.terminate()
        self.server.wait(timeout=10)

    def window_names(self):
        done = subprocess.run(["xwininfo", "-root", "-tree", "-display", self.name],
                              capture_output=True, timeout=10)
        return done.stdout.decode("utf-8", "replace")

    def screenshot(self, path):
        subprocess.run(["import", "-display", self.name, "-window", "root", path],
                       check=True, timeout=30)
