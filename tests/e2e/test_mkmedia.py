"""Media that a vendor builds with mkmedia from a product tree of about 6 MB: a 1.44 MB diskette
set, on which the program's archive spans two diskettes, installs with Setup asking for each
diskette in turn by the label the description gave; the same product as a CD layout of numbered
folders installs without a prompt."""

import hashlib
import subprocess
from pathlib import Path

import pytest

from exitcodes import COMPLETED, exit_code_of, start_watched
from medium import content, host_tool
from walks import TYPICAL_TO_COPY_DELAY, accept_diskette

PRODUCT = r"C:\KALMORA"
LABELS = {n: f"Kalmora 4.0 Disk {n}" for n in range(1, 7)}

# Tree folder -> (destination, {file: size}); the program's data is incompressible, so that its
# archive cannot fit the room that Setup leaves on the first diskette.
TREE = {
    "program": (0, {"kmwin.exe": 300000, "kmdata.dat": -1200000, "kmhelp.hlp": 400000, "kmwin.ico": 766}),
    "samples": (1, {f"sample{n}.kmd": 250000 for n in range(10)}),
    "art": (2, {"flowers.pcx": 900000, "castle.pcx": 700000, "waves.pcx": 600000}),
}
DIRECTORIES = {0: PRODUCT, 1: PRODUCT + r"\Samples", 2: PRODUCT + r"\Art"}

DESCRIPTION = r"""; Kalmora 4.0 as the vendor describes it
[medium]
setup = setup.exe
tree = product
licence = agree.txt

[destinations]
0 = Kalmora|-1|C:\KALMORA
1 = Samples|0|
2 = Art|0|

[groups]
program = Kalmora 4.0 Program Files|The program|1|1|1
samples = Sample Documents|Documents that show what Kalmora can do|0|1|1
art = Clip Art|Pictures for your documents|0|1|1

[program]
kmprog.mf1 = archive|program|0

[samples]
samples.mf1 = archive|samples|1

[art]
clipart.mf1 = archive|art|2

[targets]
kmwin.exe = 0|-1|0|Kalmora 4.0||kmwin.ico|C:\KALMORA\kmwin.exe

[diskettes]
""" + "".join(f"{n} = {label}\n" for n, label in LABELS.items())


def random_bytes(name: str, size: int) -> bytes:
    out = bytearray()
    counter = 0
    while len(out) < size:
        out += hashlib.sha256(f"{name}/{counter}".encode()).digest()
        counter += 1
    return bytes(out[:size])


@pytest.fixture(scope="module")
def product(tmp_path_factory) -> dict:
    """The product tree with its description; Linux path of each file -> where it installs."""
    root = tmp_path_factory.mktemp("vendor")
    installed = {}
    for folder, (destination, files) in TREE.items():
        (root / "product" / folder).mkdir(parents=True)
        for name, size in files.items():
            data = random_bytes(name, -size) if size < 0 else content(name, size)
            (root / "product" / folder / name).write_bytes(data)
            installed[DIRECTORIES[destination] + "\\" + name] = data
    (root / "agree.txt").write_bytes(b"KALMORA 4.0 LICENCE AGREEMENT\r\n")
    (root / "product.mkd").write_text(DESCRIPTION)
    assert sum(len(data) for data in installed.values()) >= 5 << 20
    return {"root": root, "installed": installed}


def build_medium(product, build, kind: str, *options: str) -> Path:
    root = product["root"]
    (root / "setup.exe").write_bytes(build.exe("setup.exe").read_bytes())
    output = root / kind
    if not output.exists():
        made = subprocess.run([str(host_tool("mkmedia")), "--quiet", f"--{kind}", *options, str(root / "product.mkd"),
                               str(output)], capture_output=True, text=True)
        assert made.returncode == 0, made.stdout + made.stderr
    return output


def assert_installed(prefix, product) -> None:
    for path, data in product["installed"].items():
        assert prefix.linux_path(path).read_bytes() == data, path


def test_a_diskette_set_asks_for_each_diskette_by_its_label(prefix, build, driver, product):
    medium = build_medium(product, build, "diskettes")
    disks = sorted(medium.glob("disk*"), key=lambda folder: int(folder.name[4:]))
    assert len(disks) >= 2
    # The program's archive begins on the first diskette and ends on the second.
    assert (disks[0] / "kmprog.mf1").is_file() and (disks[1] / "kmprog.mf2").is_file()
    prefix.map_drive("a", disks[0])
    prefix.start(r"A:\setup.exe", timeout=300)
    driver.check(TYPICAL_TO_COPY_DELAY + "click 7\n")
    asked = []
    for disk in disks[1:]:
        result = driver.check('wait-window "Insert Diskette" 120000\ntext 1026\n')
        asked.append(result.find("text")[0].text)
        prefix.map_drive("a", disk)
        accept_diskette(driver, asked[-1])
    driver.check("wait-page 115 120000\nclick 1\n")
    assert asked == [f"Please insert the diskette labelled '{LABELS[n]}' in drive A:" for n in range(2, len(disks) + 1)]
    assert_installed(prefix, product)


def test_a_cd_layout_installs_without_a_prompt(prefix, build, product):
    # Folders of a diskette's size: Setup goes through all of them, and through the program's
    # archive from the first into the second, without asking.
    medium = build_medium(product, build, "cd", "--size", "1.44M")
    assert (medium / "DISK01" / "kmprog.mf1").is_file() and (medium / "DISK02" / "kmprog.mf2").is_file()
    assert not list(medium.glob("DISK*/diskette.*"))
    prefix.map_drive("d", medium)
    # Unattended, a prompt would count as cancelled and leave files out.
    assert exit_code_of(start_watched(prefix, build, r"D:\DISK01\setup.exe", "/B", timeout=300)) == COMPLETED
    assert_installed(prefix, product)
