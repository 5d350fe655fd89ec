"""Installation media on Linux for a prefix's drive letters: a 1.44 MB diskette (a tmpfs of that
size, which Wine reports as 360 clusters of 4 KiB) and a read-only CD-ROM (a read-only bind mount).
Both need root; each unmounts itself on close."""

import subprocess
from pathlib import Path

DISKETTE_SIZE = "1440k"


def _run(*command):
    subprocess.run(list(command), check=True, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.PIPE, timeout=30)


class _Mount:
    def __init__(self, mount_point: Path):
        self.path = Path(mount_point)
        self.mounted = False

    def set_label(self, label: str, serial: int = None) -> None:
        """Volume label and serial number as Wine reads them from the drive's root."""
        (self.path / ".windows-label").write_text(label)
        if serial is not None:
            (self.path / ".windows-serial").write_text(f"{serial:08x}\n")

    def close(self) -> None:
        # Tracked, not asked: a bind mount of the same file system does not look like a mount point.
        if self.mounted:
            _run("umount", str(self.path))
            self.mounted = False

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


class Diskette(_Mount):
    """A tmpfs diskette mounted at mount_point: writes beyond 1.44 MB fail with disk full."""

    def __init__(self, mount_point: Path, label: str = None):
        super().__init__(mount_point)
        self.path.mkdir(parents=True, exist_ok=True)
        _run("mount", "-t", "tmpfs", "-o", f"size={DISKETTE_SIZE}", "tmpfs", str(self.path))
        self.mounted = True
        if label:
            self.set_label(label)


class ReadOnlyCd(_Mount):
    """The files of source shown read-only at mount_point: writes fail with access denied."""

    def __init__(self, source: Path, mount_point: Path):
        super().__init__(mount_point)
        self.path.mkdir(parents=True, exist_ok=True)
        _run("mount", "--bind", str(source), str(self.path))
        self.mounted = True
        try:
            _run("mount", "-o", "remount,bind,ro", str(self.path))
        except subprocess.CalledProcessError:
            self.close()
            raise
