"""A Wine prefix of its own for one test: copied from the template, with its Windows version, its
own display and its own wineserver, which is the only one it ever ends."""

import itertools
import os
import re
import shutil
import subprocess
import threading
import time
from pathlib import Path, PureWindowsPath

from .display import XDisplay
from .registry import RegistryFile, parse_reg_query
from .template import ensure_template
from .wineenv import base_environment, wine_command, wine_root

WINDOWS_VERSIONS = ("win95", "nt40", "nt351")
# Versions after those the product was made for, which it must take for the nearest one it knows;
# a test asks for them by name, they are not in every test's set.
LATER_VERSIONS = ("winxp",)
KEEP_VARIABLE = "KALMORA_KEEP_PREFIX"

_counter = itertools.count(1)


class WineProcess:
    """A Windows program started in a prefix, its output in two files."""

    def __init__(self, popen: subprocess.Popen, stdout: Path, stderr: Path, timeout: float):
        self.popen = popen
        self.stdout_path = stdout
        self.stderr_path = stderr
        self.deadline = time.monotonic() + timeout

    def wait(self, timeout: float = None) -> int:
        """Waits for the exit and returns the exit code; on timeout (by default the limit given at
        the start) kills the program and raises subprocess.TimeoutExpired. The wait blocks until
        the exit itself (a timer ends an overdue program): Popen's own timed wait polls and would
        see the exit up to 50 ms late."""
        remaining = self.deadline - time.monotonic() if timeout is None else timeout
        overdue = threading.Event()

        def end_overdue():
            overdue.set()
            self.popen.kill()

        timer = threading.Timer(max(remaining, 0), end_overdue)
        timer.start()
        try:
            code = self.popen.wait()
        finally:
            timer.cancel()
        if overdue.is_set():
            raise subprocess.TimeoutExpired(self.popen.args, remaining)
        return code

    def running(self) -> bool:
        return self.popen.poll() is None

    @property
    def exit_code(self):
        return self.popen.poll()

    def kill(self) -> None:
        if self.popen.poll() is None:
            self.popen.kill()
            self.popen.wait()

    def output(self) -> str:
        return self.stdout_path.read_text(errors="replace") if self.stdout_path.exists() else ""

    def errors(self) -> str:
        return self.stderr_path.read_text(errors="replace") if self.stderr_path.exists() else ""


class WinePrefix:
    """Use as a context manager, or call close(). Set KALMORA_KEEP_PREFIX=1 to keep the prefix
    (and its logs) after the test, for debugging."""

    def __init__(self, path: Path, version: str, display: XDisplay, owns_display: bool):
        self.path = Path(path)
        self.version = version
        self.display = display
        self.owns_display = owns_display
        self.logs = self.path / "kalmora-logs"
        self.logs.mkdir(exist_ok=True)
        self._runs = itertools.count(1)

    @classmethod
    def create(cls, version: str = "win95", name: str = "test", display: XDisplay = None,
               template: Path = None) -> "WinePrefix":
        if version not in WINDOWS_VERSIONS + LATER_VERSIONS:
            raise ValueError(f"unknown Windows version {version!r}; expected one of "
                             f"{WINDOWS_VERSIONS + LATER_VERSIONS}")
        template = Path(template) if template else ensure_template()
        safe = re.sub(r"[^A-Za-z0-9_.-]+", "_", name)[:60]
        path = wine_root() / "prefixes" / f"{safe}-{os.getpid()}-{next(_counter)}"
        path.parent.mkdir(parents=True, exist_ok=True)
        if path.exists():
            shutil.rmtree(path)
        # A real copy: a hard-linked one would let an installer writing in place change the template.
        subprocess.run(["cp", "-a", "--reflink=auto", str(template), str(path)], check=True, stdin=subprocess.DEVNULL)
        owns_display = display is None
        prefix = None
        try:
            if owns_display:
                display = XDisplay.start(log=path / "xvfb.log")
            prefix = cls(path, version, display, owns_display)
            prefix._keep_server_alive()
            prefix.reg_add(r"HKCU\Software\Wine", "Version", version)
            return prefix
        except BaseException:
            if prefix:
                prefix.close()
            else:
                if owns_display and display:
                    display.stop()
                shutil.rmtree(path, ignore_errors=True)
            raise

    @property
    def env(self) -> dict:
        return base_environment(self.path, self.display.name if self.display else None)

    # Files and drives -------------------------------------------------------------------------

    def linux_path(self, windows_path: str) -> Path:
        """Where a Windows path (drive letter required) of this prefix lies on Linux."""
        windows = PureWindowsPath(windows_path)
        drive = windows.drive.lower()
        if not re.fullmatch(r"[a-z]:", drive):
            raise ValueError(f"not an absolute Windows path: {windows_path}")
        base = self.path / "dosdevices" / drive
        return base.joinpath(*windows.parts[1:])

    def map_drive(self, letter: str, folder: Path) -> None:
        """Points a drive letter at a Linux folder; takes effect at once, even for running programs."""
        link = self.path / "dosdevices" / f"{letter.lower().rstrip(':')}:"
        if link.is_symlink() or link.exists():
            link.unlink()
        link.symlink_to(Path(folder).resolve())

    def place(self, windows_path: str, source) -> Path:
        """Puts a file at a Windows path: source is a Linux path (Path or str) to copy, or the
        file's content as bytes."""
        target = self.linux_path(windows_path)
        target.parent.mkdir(parents=True, exist_ok=True)
        if isinstance(source, (bytes, bytearray)):
            target.write_bytes(source)
        else:
            shutil.copy2(source, target)
        return target

    # Programs ---------------------------------------------------------------------------------

    def start(self, program, *args, timeout: float = 60, cwd: Path = None, name: str = None) -> WineProcess:
        """Starts a Windows program (a Windows path, or a Linux path of an .exe) with a time limit.
        Its output goes to files, never to a pipe: Wine's helpers would hold a pipe open."""
        run = next(self._runs)
        label = re.sub(r"[^A-Za-z0-9_.-]+", "_", name or PureWindowsPath(str(program)).stem)
        stdout = self.logs / f"{run:02d}-{label}.out"
        stderr = self.logs / f"{run:02d}-{label}.err"
        with open(stdout, "wb") as out, open(stderr, "wb") as err:
            popen = subprocess.Popen(wine_command(program, *args), env=self.env,
                                     cwd=str(cwd) if cwd else None, stdin=subprocess.DEVNULL,
                                     stdout=out, stderr=err, start_new_session=True)
        return WineProcess(popen, stdout, stderr, timeout)

    def run(self, program, *args, timeout: float = 60, cwd: Path = None) -> WineProcess:
        """Starts a program and waits for its end; the exit code is in exit_code."""
        process = self.start(program, *args, timeout=timeout, cwd=cwd)
        process.wait()
        return process

    # Registry ---------------------------------------------------------------------------------

    def reg_query(self, key: str, name: str = None):
        """Values of a key (name -> (type, value)), or with a name that value alone; None when the
        key or value is missing. Works while the server runs."""
        args = ["reg", "query", key] + (["/v", name] if name is not None else [])
        process = self.run(*args, timeout=30)
        if process.exit_code != 0:
            return None
        values = parse_reg_query(process.output().encode("latin-1", "replace").decode("cp437", "replace"))
        if name is None:
            return values
        entry = values.get(name)
        return None if entry is None else entry[1]

    def reg_add(self, key: str, name: str, data, kind: str = None) -> None:
        kind = kind or ("REG_DWORD" if isinstance(data, int) else "REG_SZ")
        args = ("reg", "add", key, "/v", name, "/t", kind, "/d", str(data), "/f")
        process = self.run(*args, timeout=30)
        # Wine now and then fails to start reg.exe at all ("ShellExecuteEx failed: Internal
        # error", seen once in many runs): that start is tried once more.
        if process.exit_code != 0 and "ShellExecuteEx failed" in process.errors() + process.output():
            process = self.run(*args, timeout=30)
        if process.exit_code != 0:
            raise RuntimeError(f"reg add {key} {name} failed: {process.output()}{process.errors()}")

    def registry(self, hive: str = "system") -> RegistryFile:
        """Wine's registry file of a hive ("system" = HKLM, "user" = HKCU), read after the server
        has been stopped so that it holds every change."""
        self.stop_server()
        return RegistryFile(self.path / f"{hive}.reg")

    # Server, screen and end -------------------------------------------------------------------

    def _keep_server_alive(self) -> None:
        # A persistent server spares every later program the cold start of the prefix.
        subprocess.run(["wineserver", "-p"], env=self.env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)

    def stop_server(self) -> None:
        """Ends this prefix's wineserver and every program in it; the registry is saved."""
        subprocess.run(["wineserver", "-k"], env=self.env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
        subprocess.run(["timeout", "5", "wineserver", "-w"], env=self.env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)

    def screenshot(self, png: Path) -> Path:
        return self.display.screenshot(png)

    def close(self) -> None:
        try:
            self.stop_server()
        finally:
            if self.owns_display and self.display:
                self.display.stop()
            if os.environ.get(KEEP_VARIABLE, "") in ("", "0"):
                shutil.rmtree(self.path, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
