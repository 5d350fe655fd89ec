"""The exit code of Setup or Unsetup as Windows sees it. Wine's own exit status keeps only the low
8 bits of a program's code (1603 arrives as 67, 3010 as 194), so the scenarios that check a code
start the program through notifywait.exe, which waits for it and prints the whole code (and
whether the /T: message that it passes on came)."""

import re

COMPLETED, RESTART_PENDING, WITH_ERRORS, NOT_COMPLETED = 0, 3010, 1604, 1603


def start_watched(prefix, build, program, *args, timeout: float = 120):
    return prefix.start(build.exe("notifywait.exe"), program, *args, timeout=timeout, name="notifywait")


def exit_code_of(process, timeout: float = None) -> int:
    process.wait(timeout)
    found = re.search(r"program exit code (\d+)", process.output())
    assert found, f"notifywait reported no exit code: {process.output()!r}"
    return int(found.group(1))
