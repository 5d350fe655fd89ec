"""What an installation left in a prefix: the uninstall log and the user's Start-menu folders."""

from pathlib import Path

LOG = r"C:\windows\kmwin4.log"
SHELL_FOLDERS = r"Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders"
# Wine's own keys that change by themselves while programs run (display adapters and monitors
# rewritten at each start of its desktop; the Explorer settings of a folder window that Program
# Manager's conversation opens on NT 3.51).
WINE_OWN_KEYS = (r"hklm\system\currentcontrolset\control\class\{4d36e968-e325-11ce-bfc1-08002be10318}",
                 r"hklm\system\currentcontrolset\control\class\{4d36e96e-e325-11ce-bfc1-08002be10318}",
                 r"hkcu\software\microsoft\windows\currentversion\explorer\advanced")
SHARED_DLLS = r"hklm\software\microsoft\windows\currentversion\shareddlls"


def read_log(prefix) -> dict:
    """The uninstall log as {section: {key: value}}."""
    return parse_log(prefix.linux_path(LOG).read_text(errors="replace"))


def parse_log(text: str) -> dict:
    """An uninstall log's text as {section: {key: value}}."""
    sections, current = {}, None
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            current = sections.setdefault(line[1:-1], {})
        elif "=" in line and current is not None:
            key, value = line.split("=", 1)
            current[key] = value
    return sections


def shell_folder(prefix, name: str) -> Path:
    """The user's shell folder ("Programs", "StartUp") as a Linux path; stops the prefix's server."""
    return prefix.linux_path(prefix.registry("user").value(SHELL_FOLDERS, name))


def snapshot(prefix) -> dict:
    """Everything below C:\\ (lower-case path -> size, directories as None; the UI driver's own
    folder left out) and every registry key of HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER
    (HKEY_CLASSES_ROOT lies in the former) with its values, by lower-case names ("hklm\\...");
    stops the prefix's server."""
    drive = prefix.linux_path("C:\\")
    entries = ((str(path.relative_to(drive)), path.stat().st_size if path.is_file() else None)
               for path in drive.rglob("*") if not path.is_symlink())
    return {"files": drive_entries(entries),
            "keys": registry_keys(prefix.registry("system"), prefix.registry("user"))}


def drive_entries(entries) -> dict:
    """The files part of a snapshot from (path relative to C:\\ with "/", size or None)."""
    files = {}
    for relative, size in entries:
        name = ("C:\\" + relative.replace("/", "\\")).lower()
        if not name.startswith("c:\\kalmora-driver"):
            files[name] = size
    return files


def registry_keys(system, user) -> dict:
    """The keys part of a snapshot from the two registry files."""
    keys = {}
    for registry, root in ((system, "HKLM"), (user, "HKCU")):
        for lower, (name, values) in registry.keys.items():
            keys[f"{root}\\{lower}".lower()] = {value: (kind, data) for value, (_, kind, data) in values.items()}
    return keys


def differences(before: dict, after: dict) -> dict:
    """What changed between two snapshots: files and keys added, removed or changed."""
    found = {}
    for part in ("files", "keys"):
        old, new = before[part], after[part]
        found[part] = {
            "added": sorted(set(new) - set(old)),
            "removed": sorted(set(old) - set(new)),
            "changed": sorted(name for name in set(old) & set(new) if old[name] != new[name]),
        }
    return found


def left_behind(before: dict, after: dict) -> dict:
    """The differences that an installation and its removal should not leave: all of them but
    Wine's own keys and the SharedDLLs key, which belongs to Windows (a fresh Wine prefix lacks it):
    Setup makes it without logging it, so it stays, and must be empty."""
    changes = differences(before, after)
    for kind, keys in changes["keys"].items():
        changes["keys"][kind] = [key for key in keys if not key.startswith(WINE_OWN_KEYS)]
    if SHARED_DLLS in changes["keys"]["added"] and after["keys"][SHARED_DLLS] == {}:
        changes["keys"]["added"].remove(SHARED_DLLS)
    return changes
