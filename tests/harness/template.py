"""The template prefix, made once and copied for every test."""

import fcntl
import hashlib
import shutil
import subprocess
from pathlib import Path

from .wineenv import base_environment, run_quietly, wine_arch, wine_command, wine_loader, wine_root


# Settings every prefix starts with: unmanaged X windows (a window manager's absence would
# otherwise stall every hide or destroy of a top-level window by 2 s), the drive types, and no
# crash debugger, so that a crashing program ends at once instead of hanging in winedbg.
TEMPLATE_SETTINGS = r"""REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_LOCAL_MACHINE\Software\Wine\Drives]
"a:"="floppy"
"d:"="cdrom"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]
"Debugger"=-
"""


def ensure_template(root: Path = None) -> Path:
    """Returns a complete template prefix, making it first if needed. Safe when several test
    processes start at once: the first makes it under a lock, the others wait and reuse it."""
    root = Path(root) if root else wine_root()
    root.mkdir(parents=True, exist_ok=True)
    template = root / f"template-{wine_arch()}"
    marker = root / f"{template.name}.complete"
    if _is_complete(marker):
        return template
    with open(root / f"{template.name}.lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if not _is_complete(marker):
            marker.unlink(missing_ok=True)
            _make_template(template)
            marker.write_text(_settings_digest() + "\n")
    return template


def _settings_digest() -> str:
    """Names the settings a template was made with; a template made with others is made again."""
    return hashlib.sha256(TEMPLATE_SETTINGS.encode()).hexdigest()[:16]


def _is_complete(marker: Path) -> bool:
    return marker.exists() and marker.read_text().strip() == _settings_digest()


def _make_template(template: Path) -> None:
    if template.exists():
        _stop_server(template)
        shutil.rmtree(template)
    template.mkdir(parents=True)
    env = base_environment(template)
    logs = template.parent / "template-logs"
    logs.mkdir(exist_ok=True)
    booted = run_quietly(wine_command("wineboot", "-i"), env, logs / "wineboot.log", timeout=180)
    settings = template / "drive_c" / "kalmora-template.reg"
    settings.write_text(TEMPLATE_SETTINGS.replace("\n", "\r\n"), encoding="ascii")
    run_quietly(wine_command("regedit", "/S", r"C:\kalmora-template.reg"), env, logs / "regedit.log", timeout=60)
    settings.unlink()
    _stop_server(template)
    # The server writes the registry files when it ends: without them there is no prefix.
    if not (template / "system.reg").is_file():
        raise RuntimeError(f"{wine_loader()} wineboot -i made no prefix (exit code {booted}); "
                           f"see {logs / 'wineboot.log'}")


def _stop_server(prefix: Path) -> None:
    """Waits for the prefix's server to save the registry and end; ends it if it lingers."""
    env = base_environment(prefix)
    try:
        subprocess.run(["timeout", "20", "wineserver", "-w"], env=env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
    finally:
        subprocess.run(["wineserver", "-k"], env=env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
