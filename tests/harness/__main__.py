"""Command line of the test bed, for scripts outside pytest:
    python3 -m harness template       makes the template prefix if needed and prints its path
    python3 -m harness unit-prefix    makes the prefix of the Windows unit tests (a copy of the
                                      template) if needed and prints its path
Run from the tests/ folder, or with tests/ on PYTHONPATH."""

import os
import subprocess
import sys

from .template import ensure_template, wine_root


def unit_prefix():
    """An existing unit prefix is left alone (tests may be running in it); a new one is copied
    aside and renamed into place, so that nobody sees half a prefix."""
    target = wine_root() / "unit"
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


def main(argv):
    commands = {"template": ensure_template, "unit-prefix": unit_prefix}
    if len(argv) != 2 or argv[1] not in commands:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    print(commands[argv[1]]())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
