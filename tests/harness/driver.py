"""Running the UI driver (uidriver.exe) in a prefix beside the program under test."""

import itertools
import re
from pathlib import Path

DRIVER_FOLDER = r"C:\kalmora-driver"

_TOKEN = re.compile(r'"((?:[^"\\]|\\.)*)"|(\S+)')
_ESCAPES = {"\\": "\\", '"': '"', "r": "\r", "n": "\n", "t": "\t"}


def _decode(text: str) -> str:
    return re.sub(r"\\(x[0-9a-fA-F]{2}|.)",
                  lambda m: chr(int(m.group(1)[1:], 16)) if m.group(1)[0] == "x" and len(m.group(1)) == 3
                  else _ESCAPES.get(m.group(1), m.group(1)), text)


class DriverLine:
    """One result line: status ("ok", "fail" or "skip"), the command's verb, and its values
    (bare words, and quoted texts decoded); details holds the indented lines that follow it."""

    def __init__(self, raw: str):
        self.raw = raw
        parts = raw.split(" ", 2)
        self.status = parts[0]
        self.verb = parts[1] if len(parts) > 1 else ""
        rest = parts[2] if len(parts) > 2 else ""
        self.values = []
        self.strings = []
        for quoted, bare in _TOKEN.findall(rest):
            if bare:
                self.values.append(bare)
            else:
                self.values.append(_decode(quoted))
                self.strings.append(_decode(quoted))
        self.details = []

    @property
    def ok(self) -> bool:
        return self.status == "ok"

    @property
    def text(self) -> str:
        """The first quoted text of the line (for `text`, the control's text)."""
        return self.strings[0] if self.strings else ""

    def __repr__(self):
        return f"DriverLine({self.raw!r})"


class DriverError(AssertionError):
    pass


class DriverResult:
    def __init__(self, exit_code: int, lines, script: str):
        self.exit_code = exit_code
        self.lines = lines
        self.script = script

    @property
    def ok(self) -> bool:
        return self.exit_code == 0 and all(line.ok for line in self.lines)

    def __getitem__(self, index) -> DriverLine:
        return self.lines[index]

    def __len__(self):
        return len(self.lines)

    def find(self, verb: str):
        return [line for line in self.lines if line.verb == verb]

    def transcript(self) -> str:
        out = [f"exit code {self.exit_code}", "script:"] + ["  " + l for l in self.script.splitlines()]
        out.append("results:")
        for line in self.lines:
            out.append("  " + line.raw)
            out.extend("  " + detail for detail in line.details)
        return "\n".join(out)

    def check(self) -> "DriverResult":
        if not self.ok:
            raise DriverError("UI driver script failed\n" + self.transcript())
        return self


class UiDriver:
    """Runs driver scripts in a prefix; each run starts uidriver.exe once (about 0.05 s warm)."""

    def __init__(self, prefix, executable: Path):
        self.prefix = prefix
        self.executable = Path(executable)
        self._runs = itertools.count(1)

    def run(self, script, timeout: float = 60, keep_going: bool = False,
            default_timeout_ms: int = None) -> DriverResult:
        """Runs the script (a text or a list of lines) and returns its results without judging."""
        text = script if isinstance(script, str) else "\n".join(script)
        run = next(self._runs)
        script_path = rf"{DRIVER_FOLDER}\script-{run:02d}.txt"
        result_path = rf"{DRIVER_FOLDER}\result-{run:02d}.txt"
        self.prefix.place(script_path, text.encode("latin-1"))
        options = ["-o", result_path] + (["-k"] if keep_going else [])
        if default_timeout_ms is not None:
            options += ["-t", str(default_timeout_ms)]
        process = self.prefix.start(self.executable, *options, script_path, timeout=timeout, name="uidriver")
        exit_code = process.wait()
        results = self.prefix.linux_path(result_path)
        raw = results.read_bytes().decode("latin-1") if results.exists() else ""
        return DriverResult(exit_code, self._parse(raw), text)

    def check(self, script, **options) -> DriverResult:
        """Runs the script and raises DriverError, with the transcript, unless every command succeeded."""
        return self.run(script, **options).check()

    def screenshot(self, png: Path) -> Path:
        """A screenshot taken through GDI inside the prefix, saved as PNG."""
        from .image import read_bmp, write_png
        bmp = rf"{DRIVER_FOLDER}\shot.bmp"
        self.check([f"screenshot {bmp}"])
        return write_png(read_bmp(self.prefix.linux_path(bmp)), png)

    @staticmethod
    def _parse(raw: str):
        lines = []
        for row in raw.replace("\r", "").split("\n"):
            if row.startswith("  ") and lines:
                lines[-1].details.append(row.strip())
            elif row.strip():
                lines.append(DriverLine(row))
        return lines
