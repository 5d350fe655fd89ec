"""Command line of the test bed, for scripts outside pytest:
    python3 -m harness template       makes the template prefix if needed and prints its path
    python3 -m harness unit-prefix    makes the prefix of the Windows unit tests (a copy of the
                                      template) if needed and prints its path
    python3 -m harness wine-loader    prints the Wine loader that runs the test tree's programs
                                      (KALMORA_BUILD, default build/win64)
    python3 -m harness clean          deletes the prefixes left by test processes that are gone
                                      (kept ones too), ending their wineservers first
Run from the tests/ folder, or with tests/ on PYTHONPATH."""

import os
import subprocess
import sys
from pathlib import Path

from .template import ensure_template
from .wineenv import wine_arch, wine_loader, wine_root


def unit_prefix():
    """An existing unit prefix is left alone (tests may be running in it); a new one is copied
    aside and renamed into place, so that nobody sees half a prefix."""
    target = wine_root() / f"unit-{wine_arch()}"
    if not (target / "drive_c").is_dir():
        template = ensure_template()
        partial = wine_root() / f"unit.partial-{os.getpid()}"
        subprocess.run(["rm", "-rf", str(partial)], check=True)
        subprocess.run(["cp", "-a", str(template), str(partial)], check=True, stdin=subprocess.DEVNULL)
        try:
            os.rename(partial, target)
        except OSError:  # another process was quicker
            subprocess.run(["rm", "-rf", str(partial)], check=True)
    return target


def clean():
    """Prefixes are named NAME-PID-N; a prefix whose process is gone is a leftover."""
    removed = []
    for path in sorted((wine_root() / "prefixes").glob("*-*-*")):
        pid = path.name.rsplit("-", 2)[1]
        if not pid.isdigit() or Path(f"/proc/{pid}").exists():
            continue
        env = dict(os.environ, WINEPREFIX=str(path))
        subprocess.run(["wineserver", "-k"], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=30)
        subprocess.run(["rm", "-rf", str(path)], check=True)
        removed.append(path.name)
    return "\n".join(removed) or "nothing to clean"


def main(argv):
    commands = {"template": ensure_template, "unit-prefix": unit_prefix, "wine-loader": wine_loader,
                "clean": clean}
    if len(argv) != 2 or argv[1] not in commands:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    print(commands[argv[1]]())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
