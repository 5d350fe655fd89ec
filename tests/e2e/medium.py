"""Installation media for the scenarios: generated product files, built by mkmedia into a folder, a
CD layout or a diskette set with the setup manifest, the licence and setup.exe.

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


def description_text(groups: dict, destinations: dict, targets: dict, sources: dict, profile: bool) -> str:
    """mkmedia's description of the test product: sources {group: [(kind, name, tree path, destination)]}."""
    lines = ["[medium]", "setup = setup.exe", "tree = tree", "licence = agree.txt"]
    if profile:
        lines.append("profile = ov_setup.ini")
    lines.append("[destinations]")
    lines += [f"{number} = {name}|{parent}|{directory}" for number, (name, parent, directory) in destinations.items()]
    lines.append("[groups]")
    for group, (caption, description, minimal, typical, custom, _, _) in groups.items():
        lines.append(f"{group} = {caption}|{description}|{minimal}|{typical}|{custom}")
    for group, items in sources.items():
        lines.append(f"[{group}]")
        lines += [f"{name} = {kind}|{path}|{destination}" for kind, name, path, destination in items]
    lines.append("[targets]")
    lines += [f"{name} = {value}" for name, value in targets.items()]
    return "\n".join(lines) + "\n"


def mkmedia(description: Path, output: Path, options: list) -> str:
    """Builds the medium; mkmedia's summary of it."""
    made = subprocess.run([str(host_tool("mkmedia")), "--quiet", *options, str(description), str(output)],
                          capture_output=True, text=True)
    if made.returncode != 0:
        raise RuntimeError(f"mkmedia ended with {made.returncode}: {made.stderr.strip()}")
    return made.stdout


class Medium:
    """A medium that mkmedia builds from the test product: `root` holds setup.exe and its files
    (on a CD layout or a diskette set, the first folder of it). Each group's files go into one
    archive, in their order; a single file of "Backgrounds" goes as a plain file. A diskette set
    has diskettes just large enough for Setup's own files and first_diskette_room bytes more, or of
    diskette_size (mkmedia's --size) when it is given."""

    def __init__(self, root: Path, setup_exe: Path, layout: str = "flat", store: bool = False,
                 groups: dict = None, targets: dict = None, destinations: dict = None, profile: str = None,
                 first_diskette_room: int = 64 * 1024, diskette_size: str = None):
        self.root = Path(root)
        self.layout = layout
        self.files = {}  # product file name -> (group, destination, bytes)
        self.groups = groups or with_product_programs(GROUPS, Path(setup_exe).parent)
        vendor = self.root.parent / f"{self.root.name}.vendor"
        shutil.rmtree(vendor, ignore_errors=True)
        (vendor / "tree").mkdir(parents=True)
        try:
            sources = self._write_tree(vendor / "tree")
            shutil.copy2(setup_exe, vendor / "setup.exe")
            (vendor / "agree.txt").write_bytes(LICENCE)
            if profile is not None:
                (vendor / "ov_setup.ini").write_text(profile, newline="")
            # In the ANSI code page of the machine, as the manifest is read.
            (vendor / "product.mkd").write_text(encoding="cp1252", data=description_text(
                self.groups, destinations or DESTINATIONS, TARGETS if targets is None else targets, sources,
                profile is not None))
            size = diskette_size or str(Path(setup_exe).stat().st_size + first_diskette_room)
            kind = {"flat": ["--directory"], "cd": ["--cd"], "diskettes": ["--diskettes", "--size", size]}
            self.summary = mkmedia(vendor / "product.mkd", self.root, kind[layout] + (["--store"] if store else []))
        finally:
            shutil.rmtree(vendor, ignore_errors=True)
        self.sources = sources
        self.setup_dir = self.folder_of(1)

    def _write_tree(self, tree: Path) -> dict:
        """Writes each group's files into a folder of the tree; returns the description's sources."""
        sources = {}
        for group, definition in self.groups.items():
            destination, files = definition[5], definition[6]
            (tree / group).mkdir()
            for name, size in files.items():
                data = Path(size).read_bytes() if isinstance(size, Path) else content(name, size)
                (tree / group / name).write_bytes(data)
                self.files[name] = (group, destination, data)
            if len(files) == 1 and group == "Backgrounds":
                name = next(iter(files))
                sources[group] = [("file", name, f"{group}/{name}", destination)]
            else:
                archive = f"{group[:6].lower()}.mf1"
                sources[group] = [("archive", archive, f"{group}/{name}", destination) for name in files]
        return sources

    def folder_of(self, disk: int) -> Path:
        name = {"cd": f"DISK{disk:02d}", "diskettes": f"disk{disk}"}.get(self.layout, "")
        return self.root / name

    def diskette_count(self) -> int:
        return len(list(self.root.glob("disk[0-9]*"))) if self.layout == "diskettes" else 1

    def write_manifest(self, text: str) -> None:
        (self.setup_dir / "setup.ini").write_text(text, newline="")
