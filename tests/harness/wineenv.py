"""The environment in which Wine runs for the test bed, and running Wine's tools without pipes.

The programs under test come from one Windows build tree, the test tree (KALMORA_BUILD, by default
build/win64). Its width decides which Wine runs them: x86_64 programs need 64-bit Wine and a win64
prefix, i686 programs 32-bit Wine and a win32 prefix. The loader is always called by its own path:
Debian's `wine` wrapper prefers the 32-bit loader whenever it is installed, even on a machine that
cannot execute 32-bit code."""

import functools
import os
import struct
import subprocess
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
TREE_VARIABLE = "KALMORA_BUILD"
ROOT_VARIABLE = "KALMORA_WINE_ROOT"
DEFAULT_ROOT = "/tmp/kalmora-wine"

# PE machine field -> (WINEARCH, loader)
_WINE_OF_MACHINE = {
    0x8664: ("win64", "/usr/lib/wine/wine64"),
    0x014C: ("win32", "/usr/lib/wine/wine"),
}


def wine_root() -> Path:
    """The folder that holds the template, the per-test prefixes and Wine's home folder."""
    return Path(os.environ.get(ROOT_VARIABLE, DEFAULT_ROOT))


def test_tree() -> Path:
    """The Windows build tree whose programs the tests run."""
    return Path(os.environ.get(TREE_VARIABLE, REPO / "build" / "win64"))


def pe_machine(program: Path) -> int:
    """The machine field of a PE file's header (0x8664 x86_64, 0x14C i686)."""
    with open(program, "rb") as image:
        header = image.read(64)
        if len(header) < 64 or header[:2] != b"MZ":
            raise ValueError(f"{program} is not a Windows program")
        image.seek(struct.unpack_from("<I", header, 0x3C)[0])
        signature = image.read(6)
    if signature[:4] != b"PE\0\0":
        raise ValueError(f"{program} is not a Windows program")
    return struct.unpack_from("<H", signature, 4)[0]


def _wine_of_tree():
    return _wine_of_setup(str(test_tree() / "bin" / "setup.exe"))


@functools.lru_cache(maxsize=None)
def _wine_of_setup(path: str):
    """Read once a run: a tree rebuilt while tests run would show a half-written file."""
    setup = Path(path)
    machine = pe_machine(setup) if setup.is_file() else 0x8664
    if machine not in _WINE_OF_MACHINE:
        raise ValueError(f"{setup}: no Wine for PE machine {machine:#x}")
    return _WINE_OF_MACHINE[machine]


def wine_arch() -> str:
    """win64 or win32, as the test tree's programs need."""
    return _wine_of_tree()[0]


def wine_loader() -> str:
    """The Wine loader that runs the test tree's programs."""
    return _wine_of_tree()[1]


def wine_command(*args) -> list:
    """A command line that runs a Windows program (or one of Wine's tools) with the right loader."""
    return [wine_loader(), *[str(a) for a in args]]


def base_environment(prefix: Path, display: str = None) -> dict:
    """A prefix of the test tree's width, without Mono and Gecko, without Wine's debug chatter,
    and with a home folder of the test bed's own: Wine links the profile's Desktop and Documents
    into the home folder and would write menu entries there."""
    env = dict(os.environ)
    home = wine_root() / "home"
    home.mkdir(parents=True, exist_ok=True)
    env["HOME"] = str(home)
    env.pop("XDG_DATA_HOME", None)
    env.pop("XDG_CONFIG_HOME", None)
    env["WINEPREFIX"] = str(prefix)
    env["WINEARCH"] = wine_arch()
    env["WINEDLLOVERRIDES"] = "mscoree,mshtml=;winemenubuilder.exe=d"
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
