"""A virtual X display of its own for each test."""

import os
import subprocess
import time
from pathlib import Path

FIRST_DISPLAY = 110
LAST_DISPLAY = 399
SCREEN = "1024x768x24"


class XDisplay:
    """An Xvfb server on a free display number; use as a context manager or call stop()."""

    def __init__(self, number: int, process: subprocess.Popen):
        self.number = number
        self.process = process

    @property
    def name(self) -> str:
        return f":{self.number}"

    @classmethod
    def start(cls, log: Path = None, screen: str = SCREEN, timeout: float = 10) -> "XDisplay":
        """Starts Xvfb on the first display number that is free and waits until it is ready."""
        for number in range(FIRST_DISPLAY, LAST_DISPLAY + 1):
            if _display_in_use(number):
                continue
            display = cls._try_start(number, log, screen, timeout)
            if display:
                return display
        raise RuntimeError("no free X display number")

    @classmethod
    def _try_start(cls, number: int, log: Path, screen: str, timeout: float):
        ready_read, ready_write = os.pipe()
        out = open(log, "ab") if log else subprocess.DEVNULL
        try:
            process = subprocess.Popen(
                ["Xvfb", f":{number}", "-screen", "0", screen, "-nolisten", "tcp", "-displayfd", str(ready_write)],
                stdin=subprocess.DEVNULL, stdout=out, stderr=out, pass_fds=(ready_write,))
        finally:
            os.close(ready_write)
            if log:
                out.close()
        # Xvfb writes its display number to the descriptor once it accepts clients; if another
        # server took the number first, it exits and the descriptor closes without a number.
        deadline = time.monotonic() + timeout
        answer = b""
        os.set_blocking(ready_read, False)
        try:
            while not answer.endswith(b"\n") and time.monotonic() < deadline:
                try:
                    chunk = os.read(ready_read, 16)
                except BlockingIOError:
                    time.sleep(0.02)
                    continue
                if not chunk:
                    break
                answer += chunk
        finally:
            os.close(ready_read)
        if answer.strip() == str(number).encode():
            return cls(number, process)
        process.kill()
        process.wait()
        return None

    def screenshot(self, png: Path, timeout: float = 20) -> Path:
        """Saves the whole screen as a PNG (8-bit RGB) with ImageMagick's import."""
        subprocess.run(["import", "-window", "root", "-display", self.name, f"PNG24:{png}"],
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=timeout, check=True)
        return Path(png)

    def stop(self) -> None:
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()


def _display_in_use(number: int) -> bool:
    return Path(f"/tmp/.X{number}-lock").exists() or Path(f"/tmp/.X11-unix/X{number}").exists()
