"""The environment in which Wine runs for the test bed, and running Wine's tools without pipes."""

import os
import subprocess
from pathlib import Path


def base_environment(prefix: Path, display: str = None) -> dict:
    """A 32-bit prefix without Mono and Gecko, and without Wine's debug chatter."""
    env = dict(os.environ)
    env["WINEPREFIX"] = str(prefix)
    env["WINEARCH"] = "win32"
    env["WINEDLLOVERRIDES"] = "mscoree,mshtml="
    env.setdefault("WINEDEBUG", "-all")
    if display:
        env["DISPLAY"] = display
    else:
        env.pop("DISPLAY", None)
    return env


def run_quietly(command, env: dict, log: Path, timeout: float) -> int:
    """Runs a command with its output in a log file: Wine's helper processes inherit and keep
    open whatever the command's output is, so a pipe would never see its end."""
    with open(log, "ab") as out:
        completed = subprocess.run(command, env=env, stdin=subprocess.DEVNULL, stdout=out,
                                   stderr=subprocess.STDOUT, timeout=timeout)
    return completed.returncode
