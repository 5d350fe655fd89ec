"""What an installation left in a prefix: the uninstall log and the user's Start-menu folders."""

from pathlib import Path

LOG = r"C:\windows\kmwin4.log"
SHELL_FOLDERS = r"Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders"


def read_log(prefix) -> dict:
    """The uninstall log as {section: {key: value}}."""
    sections, current = {}, None
    for line in prefix.linux_path(LOG).read_text(errors="replace").splitlines():
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
