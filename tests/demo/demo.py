"""The demo: installs the demo product from a CD-layout medium into a fresh Wine prefix, pressing
the buttons a user would, with a screenshot of every page, lists what landed where, then removes it
again with the installed uninstaller and shows what is left against the machine before Setup."""

import datetime
import os
import shutil
import subprocess
import sys
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(REPO / "tests"))
sys.path.insert(0, str(REPO / "tests" / "e2e"))

from harness import UiDriver, WinePrefix, ensure_template, test_tree  # noqa: E402
from harness.shelllink import read_link  # noqa: E402
from installed import LOG, SHELL_FOLDERS, left_behind, snapshot  # noqa: E402
from medium import GROUPS, PRODUCT_PROFILE, Medium, with_product_programs  # noqa: E402

# The demo product: every group of the product, with stand-in files of our own; the program's
# icon file is the real icon that its link shows.
DEMO_GROUPS = dict(GROUPS)
_caption, _description, _minimal, _typical, _custom, _destination, _files = GROUPS["program"]
DEMO_GROUPS["program"] = (_caption, _description, _minimal, _typical, _custom, _destination,
                          dict(_files, **{"kmwin.ico": REPO / "resources" / "art" / "setup.ico", "kmshare.dll": 4000}))
DEMO_GROUPS.update({
    "Album1000": ("Picture Album 1000", "A thousand pictures to start an album with", 0, 0, 1, 2,
                  {"album1k.pxl": 52000, "album1k.idx": 4000}),
    "Album2000": ("Picture Album 2000", "Two thousand more pictures", 0, 0, 1, 2,
                  {"album2k.pxl": 61000, "album2k.idx": 6000}),
    "Alarms": ("Alarm Sounds", "Sounds for the scheduler's reminders", 0, 1, 1, 3,
               {"chime.wav": 18000, "bell.wav": 15000}),
})

# The demo's install profile: the product's own, and the copy delay the question starts from.
DEMO_PROFILE = "[interface]\r\nFileCopyDelayInterval = 10\r\n" + PRODUCT_PROFILE

# Registry keys the demo shows after the installation (as Wine's registry file names them).
SHOWN_KEYS = [r"Software\Orvane\Kalmora\4.0", r"Software\Microsoft\Windows\CurrentVersion\Uninstall\Kalmora 4.0",
              r"Software\Microsoft\Windows\CurrentVersion\SharedDLLs",
              r"Software\Classes\.pxl"] + [
    rf"Software\Classes\CLSID\{{6B7D3A10-4C2E-4E51-9A61-0D4F2B7A100{n}}}\InprocServer32" for n in range(1, 5)]

# (page or window, what to press, screenshot name)
STEPS = [
    ("wait-page 132 30000", None, "01-title"),
    ("wait-page 102 30000", "click 1", "02-welcome"),
    ("wait-page 128", "click 1", "03-licence"),
    ("wait-page 104", "click 1", "04-destination"),
    ("wait-page 125", "click 1021", "05-setup-type"),
    ("wait-page 127", "click 1", "06-custom-options"),
    ("wait-page 106", "click 1", "07-program-folder"),
    ("wait-page 152", "click 1", "08-start-copying"),
    # Cancel pressed during copying holds the copy at its next step with the question up, so
    # that the gauge and the billboard can be seen; No lets the copy go on.
    ("wait-window \"Stacker Settings\" 20000",
     "wait-page 108\nclick 2\nwait-window \"Stacker Settings\"\nclick 7", "09-copy-delay"),
    ("wait-message * 30000", "answer * no", "10-copying"),
    ("wait-page 115 60000", "click 1", "11-complete"),
]
UNSETUP_STEPS = [
    ("wait-page 1545 30000", "click 1", "13-unsetup-start"),
    ("wait-page 1547 60000", "click 1", "14-unsetup-removed"),
]


def demo_medium(out: Path, programs: Path) -> Medium:
    """The demo product on a CD layout in out/medium, with Setup and the product's programs from
    the build folder `programs`."""
    profile = out / "ov_setup.ini"
    profile.write_text(DEMO_PROFILE, newline="")
    groups = with_product_programs(DEMO_GROUPS, programs, real_program=True)
    # The profile goes on the medium beside Setup and, with the program, beside the uninstaller.
    caption, description, minimal, typical, custom, destination, files = groups["program"]
    groups["program"] = (caption, description, minimal, typical, custom, destination,
                         dict(files, **{"ov_setup.ini": profile}))
    return Medium(out / "medium", programs / "setup.exe", layout="cd", groups=groups, profile=DEMO_PROFILE)


def show_diskette_set(out: Path) -> None:
    """The same product as a vendor ships it on 1.44 MB diskettes, with the Setup that ships (the
    i686 build): how much of the first diskette Setup leaves to the product."""
    shipped = REPO / "build" / "win32" / "bin"
    if not (shipped / "setup.exe").exists():
        print("(no i686 build in build/win32: the diskette set is not shown)")
        return
    groups = with_product_programs(DEMO_GROUPS, shipped, real_program=True)
    medium = Medium(out / "diskettes", shipped / "setup.exe", layout="diskettes", groups=groups,
                    profile=DEMO_PROFILE, diskette_size="1.44M")
    size = (shipped / "setup.exe").stat().st_size
    print(f"The product on 1.44 MB diskettes, with the i686 setup.exe ({size} bytes), as mkmedia built it:")
    print("".join(f"  {line}\n" for line in medium.summary.splitlines()))
    shutil.rmtree(out / "diskettes")


def show_profile_expansion(out: Path) -> None:
    """What the demo's install profile becomes on each platform for the default directory, as a
    vendor asks profcheck for it without a Windows machine."""
    profcheck = Path(os.environ.get("KALMORA_HOST_BUILD", REPO / "build" / "release")) / "bin" / "profcheck"
    profile = out / "ov_setup.ini"
    shown = subprocess.run([str(profcheck), "--destination", r"C:\KALMORA", str(profile)], capture_output=True,
                           text=True, check=True).stdout.split("\n\n")[-1]
    print(f"profcheck --destination C:\\KALMORA ov_setup.ini (its expansion report):\n"
          + "".join(f"  {line}\n" for line in shown.splitlines()))


def show_program_folder(prefix, driver, out: Path) -> None:
    """Opens the program folder as a user would from the Start menu, and takes its picture."""
    programs = prefix.reg_query("HKCU\\" + SHELL_FOLDERS, "Programs")
    prefix.start("explorer.exe", programs + r"\Orvane", timeout=60, name="explorer")
    driver.check(["wait-window Orvane ExplorerWClass 20000", "sleep 1000",
                  r"screenshot C:\shots\12-program-folder.bmp"])
    subprocess.run(["convert", str(prefix.linux_path(r"C:\shots\12-program-folder.bmp")),
                    str(out / "12-program-folder.png")], check=True)
    print("  12-program-folder.png")


def list_links(prefix) -> None:
    """The links that the installation made: the program folder's and the scheduler's."""
    user = prefix.registry("user")
    print("The program icons:")
    for folder, below in (("Programs", "Orvane"), ("StartUp", "")):
        root = prefix.linux_path(user.value(SHELL_FOLDERS, folder))
        for link_file in sorted((root / below).glob("*.lnk")):
            link = read_link(link_file)
            shown = f"{link.path} {link.arguments}".strip()
            name = str(link_file.relative_to(root)).replace("/", "\\")
            print(f"  {folder}\\{name} -> {shown} (icon {link.icon_location or link.path},{link.icon_index})")


def take_steps(prefix, driver, out: Path, steps) -> None:
    """Waits for each page or window, takes its picture and presses what the user would."""
    for wait, press, shot in steps:
        lines = [wait, "sleep 300", f"screenshot C:\\shots\\{shot}.bmp"] + (press.split("\n") if press else [])
        driver.check(lines)
        bmp = prefix.linux_path(f"C:\\shots\\{shot}.bmp")
        subprocess.run(["convert", str(bmp), str(out / f"{shot}.png")], check=True)
        print(f"  {shot}.png")


def show_installation(prefix) -> None:
    print("What landed where:")
    product = prefix.linux_path(r"C:\KALMORA")
    for path in sorted(product.rglob("*")):
        if path.is_file():
            print(f"  C:\\{path.relative_to(product.parent)}  {path.stat().st_size} bytes".replace("/", "\\"))
    list_links(prefix)
    print("\nIn the registry:")
    system = prefix.registry("system")
    for key in SHOWN_KEYS:
        for name, (kind, value) in sorted((system.key(key) or {}).items()):
            shown = f'"{value}"' if isinstance(value, str) else value
            print(f"  HKLM\\{key}  {name or '(default)'} = {shown} ({kind})")
    log = prefix.linux_path(LOG)
    print(f"\nThe uninstall log {LOG}:\n{log.read_text(errors='replace')}")


def remove_and_compare(prefix, driver, out: Path, before: dict) -> None:
    """Runs the installed uninstaller as a user would, then compares the machine with how it was
    before Setup."""
    print("Unsetup, started as the Add/Remove Programs entry starts it:")
    unsetup = prefix.start(r"C:\KALMORA\unsetup.exe", "/U", timeout=180)
    take_steps(prefix, driver, out, UNSETUP_STEPS)
    unsetup.wait(60)
    deadline = time.monotonic() + 20  # the uninstaller's own file goes after it has ended
    while prefix.linux_path(r"C:\KALMORA").exists() and time.monotonic() < deadline:
        time.sleep(0.2)
    shutil.rmtree(prefix.linux_path(r"C:\shots"))  # the demo's own pictures
    changes = left_behind(before, snapshot(prefix))
    print("\nLeft behind after Unsetup, against the machine before Setup (Wine's own keys aside):")
    for part in ("files", "keys"):
        for kind, names in changes[part].items():
            print(f"  {part} {kind}: {', '.join(names) if names else 'none'}")


def main() -> int:
    build = test_tree()
    stamp = datetime.datetime.now().strftime("%Y%m%d-%H%M%S")
    out = REPO / "out" / f"demo-{stamp}"
    out.mkdir(parents=True)
    version = os.environ.get("KALMORA_DEMO_WINVER", "nt40")
    medium = demo_medium(out, build / "bin")
    with WinePrefix.create(version, name="demo", template=ensure_template()) as prefix:
        prefix.map_drive("d", medium.root)
        before = snapshot(prefix)
        driver = UiDriver(prefix, build / "bin" / "uidriver.exe")
        prefix.linux_path(r"C:\shots").mkdir(parents=True, exist_ok=True)
        setup = prefix.start(r"D:\DISK01\setup.exe", timeout=180)
        take_steps(prefix, driver, out, STEPS)
        setup.wait(60)
        show_program_folder(prefix, driver, out)
        print(f"\nScreenshots of every page: {out}\n")
        (out / "kmwin4.log").write_bytes(prefix.linux_path(LOG).read_bytes())
        show_installation(prefix)
        remove_and_compare(prefix, driver, out, before)
    print()
    show_diskette_set(out)
    show_profile_expansion(out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
