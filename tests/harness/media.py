"""Drives on Linux for a prefix's drive letters: a small disk (a tmpfs of a given size, where writes
beyond it fail with disk full), a 1.44 MB diskette (such a disk of that size, which Wine reports as
360 clusters of 4 KiB) and a read-only CD-ROM (a read-only bind mount). All need root; each
unmounts itself on close."""

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


class SmallDisk(_Mount):
    """A tmpfs of `size` (as mount reads it: "32m") mounted at mount_point."""

    def __init__(self, mount_point: Path, size: str, label: str = None):
        super().__init__(mount_point)
        self.path.mkdir(parents=True, exist_ok=True)
        _run("mount", "-t", "tmpfs", "-o", f"size={size}", "tmpfs", str(self.path))
        self.mounted = True
        if label:
            self.set_label(label)

    def fill(self) -> None:
        """Takes every byte that is still free, as another program writing a large file would."""
        with open(self.path / "filler.bin", "wb", buffering=0) as filler:
            block = bytes(1 << 20)
            try:
                while True:
                    filler.write(block)
            except OSError:
                pass
            while True:  # the last part of a block
                try:
                    if not filler.write(b"\0" * 512):
                        break
                except OSError:
                    break


class Diskette(SmallDisk):
    """A 1.44 MB diskette mounted at mount_point."""

    def __init__(self, mount_point: Path, label: str = None):
        super().__init__(mount_point, DISKETTE_SIZE, label)


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
