"""Installation media for the scenarios: generated product files packed with mfpack into archives,
with the setup manifest, the licence and setup.exe beside them.

The test product has four groups. Each file's bytes are made from its name, so a scenario can
check what landed without keeping copies."""

import hashlib
import os
import shutil
import subprocess
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
LICENCE = (b"KALMORA 4.0 LICENCE AGREEMENT\r\n\r\nYou may install this test product on any number of "
           b"computers.\r\n\tIt comes with no warranty at all.\r\n")

# group -> (caption, description, minimal, typical, custom, destination, files {name: size}); a
# file's size may instead be the Path of a real file (a program of the product) to pack.
GROUPS = {
    "program": ("Kalmora 4.0 Program Files", "program", 1, 1, 1, 0,
                {"kmwin.exe": 60000, "kmhelp.hlp": 23000, "kmwin.ico": 766}),
    "art": ("Clip Art", "Pictures for your documents", 0, 1, 1, 2,
            {"flowers.pcx": 41000, "castle.pcx": 30500}),
    "samples": ("Sample Documents", "Documents that show what Kalmora can do", 0, 1, 1, 1,
                {"letter.kmd": 9000, "poster.kmd": 14000}),
    "Backgrounds": ("Backgrounds", "Desktop backgrounds", 0, 0, 1, 0, {"waves.bmp": 12000}),
}

# The product's own programs, built beside setup.exe: the scheduler that Setup starts and the COM
# servers that it registers, each group in its destination. Described as "program", they are
# installed with the program group, and listed on no page.
PROGRAM_GROUPS = {
    "scheduler": ("Scheduler", "program", 1, 1, 0, 0, ("kmsched.exe",)),
    "servers": ("Image Servers", "program", 1, 1, 0, 5, ("imgservr.dll", "proxy.dll")),
    "filters": ("Album Filters", "program", 1, 1, 0, 6, ("asfltr.dll",)),
    "import": ("Import Filters", "program", 1, 1, 0, 7, ("imfltr.dll",)),
}


def with_product_programs(groups: dict, programs: Path, without=(), real_program: bool = False) -> dict:
    """The groups with the product's real scheduler and COM servers from the folder `programs`
    (less the files named in `without`), and with real_program its real kmwin.exe too (which has
    a version resource, where the generated one has none)."""
    groups = dict(groups)
    if real_program:
        caption, description, minimal, typical, custom, destination, files = groups["program"]
        files = dict(files, **{"kmwin.exe": programs / "kmwin.exe"})
        groups["program"] = (caption, description, minimal, typical, custom, destination, files)
    for group, (caption, description, minimal, typical, custom, destination, names) in PROGRAM_GROUPS.items():
        chosen = {name: programs / name for name in names if name not in without}
        if chosen:
            groups[group] = (caption, description, minimal, typical, custom, destination, chosen)
    return groups


DESTINATIONS = {0: ("Kalmora", -1, r"C:\KALMORA"), 1: ("Samples", 0, ""), 2: ("Art", 0, ""),
                3: ("Data", 0, ""), 5: ("Servers", 0, ""), 6: ("Filters", 0, ""), 7: ("Import", 0, "")}

# Where each destination's files land when Setup takes every default.
DEFAULT_DIRECTORIES = {0: r"C:\KALMORA", 1: r"C:\KALMORA\Samples", 2: r"C:\KALMORA\Art", 3: r"C:\KALMORA\Data",
                       5: r"C:\KALMORA\Servers", 6: r"C:\KALMORA\Filters", 7: r"C:\KALMORA\Import"}


def content(name: str, size: int) -> bytes:
    """Deterministic bytes of a product file: text-like, so that compression has work to do."""
    words = [b"kalmora", b"picture", b"album", b"page", b"colour", b"frame", b"\r\n", b"4.0"]
    out = bytearray()
    seed = hashlib.sha256(name.encode()).digest()
    counter = 0
    while len(out) < size:
        block = hashlib.sha256(seed + counter.to_bytes(4, "little")).digest()
        for b in block:
            out += words[b % len(words)] + (b" " if b & 0x10 else b"")
        counter += 1
    return bytes(out[:size])


def host_tool(name: str) -> Path:
    """A vendor tool of the native tree (KALMORA_HOST_BUILD, else build/host)."""
    host = Path(os.environ.get("KALMORA_HOST_BUILD", REPO / "build" / "host"))
    tool = host / "bin" / name
    if not tool.is_file():
        raise FileNotFoundError(f"{tool} is missing: build the host tree first")
    return tool


def mfpack() -> Path:
    return host_tool("mfpack")


# The product's install profile "ov_setup.ini": its registry keys, its entry in Add/Remove Programs,
# the settings keys that the program makes as it runs (Unsetup removes them, the innermost first:
# each entry takes its key's last component), its shared DLL on each platform, and the file type of
# its picture albums.
PRODUCT_PROFILE = r"""[Registry]
key = "HKEY_LOCAL_MACHINE\SOFTWARE\Orvane\Kalmora\4.0"
name = Path
data = "?0?"
option = 0
[Registry]
key = "HKEY_LOCAL_MACHINE\SOFTWARE\Orvane\Kalmora\4.0"
name = Samples
data = "?1?"
option = 2
[Registry]
key = "HKEY_LOCAL_MACHINE\SOFTWARE\Orvane\Kalmora\4.0"
name = Version
data = "#400"
option = 0
[Registry]
key = "HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Kalmora 4.0"
name = DisplayName
data = "Kalmora 4.0"
option = 0
[Registry]
key = "HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Kalmora 4.0"
name = UninstallString
data = "?0?unsetup.exe /U"
option = 0
[Registry]
key = "HKEY_CURRENT_USER\Software\Orvane\Kalmora\4.0"
name = ""
data = ""
option = -1
[Registry]
key = "HKEY_CURRENT_USER\Software\Orvane\Kalmora"
name = ""
data = ""
option = -1
[Registry]
key = "HKEY_CURRENT_USER\Software\Orvane"
name = ""
data = ""
option = -1
[SharedDLL95]
name = "?0?kmshare.dll"
option = 1
[SharedDLLNT]
name = "?0?kmshare.dll"
option = 1
[mediatypes]
count = 1
shortname = Kalmora
longname = "Kalmora Picture Album"
file1 = .pxl
""".replace("\n", "\r\n")

# Program file name -> icon index|hot key|minimized|item name|arguments|icon file|program path.
TARGETS = {"kmwin.exe": r"0|-1|0|Kalmora 4.0||kmwin.ico|C:\KALMORA\kmwin.exe"}


def manifest_text(sources: dict, destinations=None, extra: str = "", groups: dict = None,
                  targets: dict = None) -> str:
    """The setup manifest for sources {group: [(file name, size, type, count, disk, dest)]}."""
    lines = ["[destinations]"]
    for number, (name, parent, directory) in (destinations or DESTINATIONS).items():
        lines.append(f"{number}={name}|{parent}|{directory}")
    lines.append("[groups]")
    for group, (caption, description, minimal, typical, custom, _, _) in (groups or GROUPS).items():
        lines.append(f"{group}={caption}|{description}|{minimal}|{typical}|{custom}")
    for group, items in sources.items():
        lines.append(f"[{group}]")
        for name, size, kind, count, disk, dest in items:
            lines.append(f"{name}={size}|{kind}|{count}|{disk}|{dest}|")
    lines.append("[targets]")
    lines += [f"{name}={value}" for name, value in (TARGETS if targets is None else targets).items()]
    return "\r\n".join(lines) + "\r\n" + extra


class Medium:
    """A medium in a folder: `root` holds setup.exe and its files (the first disk of a CD layout)."""

    def __init__(self, root: Path, setup_exe: Path, layout: str = "flat", store: bool = False,
                 volume_size: int = None, groups: dict = None, targets: dict = None, destinations: dict = None):
        self.root = Path(root)
        self.layout = layout
        self.files = {}  # product file name -> (group, destination, bytes)
        first = self.root / {"cd": "DISK01", "diskettes": "disk1"}.get(layout, "")
        first.mkdir(parents=True, exist_ok=True)
        self.setup_dir = first
        work = self.root / ".files"
        work.mkdir(exist_ok=True)
        sources = {}
        self.groups = groups or with_product_programs(GROUPS, Path(setup_exe).parent)
        for group, definition in self.groups.items():
            destination, files = definition[5], definition[6]
            disk = 2 if layout in ("cd", "diskettes") and group not in ("program", "art") else 1
            folder = self.folder_of(disk)
            folder.mkdir(parents=True, exist_ok=True)
            paths = []
            for name, size in files.items():
                data = Path(size).read_bytes() if isinstance(size, Path) else content(name, size)
                (work / name).write_bytes(data)
                paths.append(str(work / name))
                self.files[name] = (group, destination, data)
            if len(files) == 1 and group == "Backgrounds":
                # A plain file, copied as it is.
                name = next(iter(files))
                shutil.copy2(work / name, folder / name)
                sources[group] = [(name, len(self.files[name][2]), 0, 1, disk, destination)]
                continue
            archive = folder / f"{group[:6].lower()}.mf1"
            args = [str(mfpack()), "create", str(archive)] + (["--store"] if store else [])
            if volume_size and group == "program":
                args += ["--volume-size", str(volume_size)]
            args += ["--dest", str(destination)] + paths
            subprocess.run(args, check=True, stdout=subprocess.DEVNULL)
            if layout == "diskettes":
                # Each further volume goes on the next diskette.
                for volume in sorted(folder.glob(archive.stem + ".mf[2-9]")):
                    number = int(volume.suffix[-1])
                    target = self.folder_of(disk + number - 1)
                    target.mkdir(parents=True, exist_ok=True)
                    volume.rename(target / volume.name)
            sources[group] = [(archive.name, sum(len(self.files[name][2]) for name in files), 1, len(files), disk, 0)]
        self.sources = sources
        if layout == "diskettes":
            for folder in sorted(self.root.glob("disk[0-9]*")):
                number = int(folder.name[4:])
                (folder / f"diskette.{number:03d}").write_bytes(b"")
        manifest = manifest_text(sources, destinations, groups=self.groups, targets=targets)
        (first / "setup.ini").write_text(manifest, newline="")
        (first / "agree.txt").write_bytes(LICENCE)
        shutil.copy2(setup_exe, first / "setup.exe")
        shutil.rmtree(work)

    def folder_of(self, disk: int) -> Path:
        name = {"cd": f"DISK{disk:02d}", "diskettes": f"disk{disk}"}.get(self.layout, "")
        folder = self.root / name
        folder.mkdir(parents=True, exist_ok=True)
        return folder

    def write_manifest(self, text: str) -> None:
        (self.setup_dir / "setup.ini").write_text(text, newline="")
