"""The registry of a prefix seen from Linux: the output of `wine reg query`, and Wine's own
registry files (system.reg for HKEY_LOCAL_MACHINE, user.reg for HKEY_CURRENT_USER)."""

import re
from pathlib import Path

_ESCAPES = {"a": "\a", "b": "\b", "t": "\t", "n": "\n", "v": "\v", "f": "\f", "r": "\r", "e": "\x1b",
            "0": "\0", "\\": "\\", '"': '"'}


def parse_reg_query(output: str) -> dict:
    """Values of the queried key from `wine reg query KEY [/v NAME]`: name -> (type, value).
    The default value is named ""; REG_DWORD becomes an int, REG_MULTI_SZ a list, REG_BINARY bytes."""
    values = {}
    for line in output.replace("\r", "").split("\n"):
        if not line.startswith("    "):
            continue
        parts = line[4:].split("    ", 2)
        if len(parts) < 2:
            continue
        name, kind = parts[0], parts[1]
        data = parts[2] if len(parts) > 2 else ""
        values["" if name == "(Default)" else name] = (kind, _query_value(kind, data))
    return values


def _query_value(kind: str, data: str):
    if kind in ("REG_DWORD", "REG_QWORD"):
        return int(data, 16) if data.lower().startswith("0x") else int(data or "0")
    if kind == "REG_MULTI_SZ":
        return [item for item in data.split("\\0") if item]
    if kind == "REG_BINARY":
        return bytes.fromhex(data)
    return data


def _unescape(text: str) -> str:
    result, i = [], 0
    while i < len(text):
        c = text[i]
        if c != "\\" or i + 1 == len(text):
            result.append(c)
            i += 1
            continue
        nxt = text[i + 1]
        if nxt == "x":
            digits = re.match(r"[0-9a-fA-F]{1,4}", text[i + 2:])
            if digits:
                result.append(chr(int(digits.group(0), 16)))
                i += 2 + len(digits.group(0))
                continue
        result.append(_ESCAPES.get(nxt, nxt))
        i += 2
    return "".join(result)


def _read_quoted(text: str, start: int):
    """Reads a quoted, escaped string starting at text[start] == '"'; returns (string, end)."""
    i = start + 1
    while i < len(text):
        if text[i] == "\\":
            i += 2
        elif text[i] == '"':
            return _unescape(text[start + 1:i]), i + 1
        else:
            i += 1
    raise ValueError(f"unclosed string: {text[start:]}")


class RegistryFile:
    """One of Wine's registry files. Read it only while the prefix's server is stopped: a running
    server writes its changes back only every half minute or so."""

    def __init__(self, path: Path):
        self.keys = {}  # lower-case key path -> (key path, {lower-case name: (name, kind, value)})
        self._parse(Path(path).read_text(encoding="latin-1"))

    def key(self, key: str):
        """Values of a key (path relative to the file's hive, with backslashes) or None."""
        entry = self.keys.get(key.strip("\\").lower())
        return None if entry is None else {name: (kind, value) for name, kind, value in entry[1].values()}

    def value(self, key: str, name: str = "", default=None):
        entry = self.keys.get(key.strip("\\").lower())
        if entry is None or name.lower() not in entry[1]:
            return default
        return entry[1][name.lower()][2]

    def subkeys(self, key: str):
        """Names of the direct subkeys that the file holds."""
        prefix = key.strip("\\").lower() + "\\"
        names = {path[len(prefix):].split("\\")[0]: True for path, _ in self.keys.values()
                 if path.lower().startswith(prefix)}
        return sorted(names)

    def _parse(self, text: str) -> None:
        lines = self._joined_lines(text)
        current = None
        for line in lines:
            if line.startswith("["):
                name = _unescape(line[1:line.rindex("]")])
                current = self.keys.setdefault(name.lower(), (name, {}))[1]
            elif current is not None and (line.startswith('"') or line.startswith("@=")):
                if line.startswith("@="):
                    name, rest = "", line[2:]
                else:
                    name, end = _read_quoted(line, 0)
                    rest = line[end + 1:]
                kind, value = self._value(rest)
                current[name.lower()] = (name, kind, value)

    @staticmethod
    def _joined_lines(text: str):
        joined, pending = [], ""
        for raw in text.split("\n"):
            raw = raw.rstrip("\r")
            if pending:
                raw = pending + raw.lstrip()
                pending = ""
            if raw.endswith("\\") and not raw.startswith("[") and "=hex" in raw:
                pending = raw[:-1]
                continue
            joined.append(raw)
        return joined

    @staticmethod
    def _value(rest: str):
        if rest.startswith('"'):
            return "REG_SZ", _read_quoted(rest, 0)[0]
        if rest.startswith("str("):
            number = int(rest[4:rest.index(")")])
            text = _read_quoted(rest, rest.index(":") + 1)[0]
            kind = {2: "REG_EXPAND_SZ", 7: "REG_MULTI_SZ"}.get(number, f"str({number})")
            if number == 7:
                return kind, [item for item in text.split("\0") if item]
            return kind, text
        if rest.startswith("dword:"):
            return "REG_DWORD", int(rest[6:], 16)
        if rest.startswith("hex"):
            kind = "REG_BINARY"
            if rest.startswith("hex("):
                kind = f"hex({rest[4:rest.index(')')]})"
            data = rest[rest.index(":") + 1:].replace(",", "").strip()
            return kind, bytes.fromhex(data)
        return "unknown", rest
