"""The program that ships, run for real: the i686 build's Setup installs the demo medium unattended
inside an emulated 64-bit Debian machine with 32-bit Wine, on Windows 95, NT 4.0 and NT 3.51 (its
icons through Program Manager), and the installed Unsetup removes it again. This side builds the machine's image (kept between runs),
boots it, times each step from the guest's console, and checks what the guest brought back: the
exit codes, the files byte for byte against the medium, the log, the registry, the links, and that
nothing is left behind. Exit code 0 when every check passed.

    round_trip.py [--versions win95,nt40,nt351]

KALMORA_GUEST_CACHE names the folder for the image (default /var/cache/kalmora-guest),
KALMORA_GUEST_TIMEOUT the seconds the guest may take once booted (default 1500)."""

import argparse
import ctypes
import fcntl
import hashlib
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path, PureWindowsPath

HERE = Path(__file__).resolve().parent
REPO = HERE.parents[1]
sys.path.insert(0, str(REPO / "tests"))
sys.path.insert(0, str(REPO / "tests" / "e2e"))
sys.path.insert(0, str(REPO / "tests" / "demo"))

from demo import demo_medium  # noqa: E402
from harness.registry import RegistryFile  # noqa: E402
from harness.shelllink import read_link  # noqa: E402
from harness.template import TEMPLATE_SETTINGS  # noqa: E402
from harness.wineenv import base_environment  # noqa: E402
from installed import (LOG, SHARED_DLLS, SHELL_FOLDERS, drive_entries, left_behind, parse_log,  # noqa: E402
                       registry_keys)
from medium import DEFAULT_DIRECTORIES  # noqa: E402

CACHE = Path(os.environ.get("KALMORA_GUEST_CACHE", "/var/cache/kalmora-guest"))
RUN_LIMIT = float(os.environ.get("KALMORA_GUEST_TIMEOUT", "1500"))
BOOT_LIMIT = 300.0
IMAGE_RECIPE = ("image.sh", "init-guest")
COMPLETED = 0
PR_SET_PDEATHSIG = 1
SERVERS = {"asfltr.dll": "{6B7D3A10-4C2E-4E51-9A61-0D4F2B7A1001}", "imfltr.dll": "{6B7D3A10-4C2E-4E51-9A61-0D4F2B7A1002}",
           "imgservr.dll": "{6B7D3A10-4C2E-4E51-9A61-0D4F2B7A1003}", "proxy.dll": "{6B7D3A10-4C2E-4E51-9A61-0D4F2B7A1004}"}


class GuestFailure(Exception):
    pass


class Figures:
    """How long each part took, printed as it ends and once more at the end."""

    def __init__(self):
        self.taken = []

    def add(self, what: str, seconds: float) -> None:
        self.taken.append((what, seconds))
        print(f"  {what}: {seconds:.1f} s", flush=True)

    def print(self) -> None:
        print("\nFigures (seconds, measured on this side):")
        for what, seconds in self.taken:
            print(f"  {what:<24} {seconds:7.1f}")


# The image ------------------------------------------------------------------------------------

def recipe_digest() -> str:
    digest = hashlib.sha256()
    for name in IMAGE_RECIPE:
        digest.update((HERE / name).read_bytes())
    return digest.hexdigest()[:16]


def ensure_image(figures: Figures) -> Path:
    """The guest's image for the current recipe, built first when there is none; images of
    earlier recipes are removed."""
    CACHE.mkdir(parents=True, exist_ok=True)
    image = CACHE / f"image-{recipe_digest()}"
    with open(CACHE / "lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if (image / "complete").exists():
            print(f"image: {image} (built by an earlier run)")
            return image
        for old in CACHE.glob("image-*"):
            shutil.rmtree(old)
        log = CACHE / "image-build.log"
        print(f"image: building {image} from Debian's packages (log: {log})", flush=True)
        started = time.monotonic()
        with open(log, "w") as output:
            built = subprocess.run([str(HERE / "image.sh"), str(image)], stdin=subprocess.DEVNULL,
                                   stdout=output, stderr=subprocess.STDOUT, timeout=2400)
        if built.returncode != 0:
            shutil.rmtree(image, ignore_errors=True)
            tail = log.read_text(errors="replace").splitlines()[-15:]
            raise GuestFailure("the guest image could not be built (image.sh exit code "
                               f"{built.returncode}); the end of {log}:\n" + "\n".join(tail))
        (image / "complete").write_text(recipe_digest() + "\n")
        figures.add("image build", time.monotonic() - started)
    return image


# The payload ----------------------------------------------------------------------------------

def make_payload(work: Path, programs: Path, versions) -> tuple:
    """The guest's second disk: a tar with the medium, the script, and what the script needs."""
    folder = work / "payload"
    folder.mkdir()
    medium = demo_medium(folder, programs)
    shutil.copy2(HERE / "inside.sh", folder / "inside.sh")
    shutil.copy2(programs / "notifywait.exe", folder / "notifywait.exe")
    (folder / "settings.reg").write_text(TEMPLATE_SETTINGS.replace("\n", "\r\n"), encoding="ascii")
    # The guest's Wine gets the overrides that the test bed's prefixes have, and no crash
    # debugger: a program that crashes ends at once, and its exit code says so.
    overrides = base_environment(Path("/"))["WINEDLLOVERRIDES"] + ";winedbg.exe=d"
    (folder / "guest.env").write_text(f'GUEST_VERSIONS="{" ".join(versions)}"\nWINEDLLOVERRIDES="{overrides}"\n')
    payload = work / "payload.tar"
    subprocess.run(["tar", "-cf", str(payload), "-C", str(folder), "."], check=True)
    return payload, medium


# The guest ------------------------------------------------------------------------------------

def end_with_parent() -> None:
    """In the child before qemu starts: the kernel ends qemu when this process dies, even by a
    signal that leaves no time to clean up."""
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_PDEATHSIG, signal.SIGKILL)


class Guest:
    """One boot of the image in qemu, with the payload and an empty results disk; the image itself
    is never written (its changes go to a scratch overlay)."""

    def __init__(self, image: Path, payload: Path, results: Path, console: Path):
        self.image, self.payload, self.results, self.console = image, payload, results, console
        self.process = None
        self.reports = []

    def command(self) -> list:
        kernel_args = "root=/dev/vda rw console=ttyS0 init=/sbin/init-guest quiet mitigations=off"
        return ["qemu-system-x86_64", "-accel", "tcg,thread=multi", "-cpu", "max,-smap", "-smp", "2",
                "-m", "2048", "-M", "q35", "-kernel", str(self.image / "vmlinuz"),
                "-initrd", str(self.image / "initrd.img"), "-append", kernel_args,
                "-drive", f"file={self.image / 'disk.img'},format=raw,if=virtio,cache=unsafe,snapshot=on",
                "-drive", f"file={self.payload},format=raw,if=virtio,readonly=on",
                "-drive", f"file={self.results},format=raw,if=virtio,cache=unsafe",
                "-nographic", "-no-reboot", "-nic", "none"]

    def run(self, figures: Figures) -> None:
        with open(self.results, "wb") as results:
            results.truncate(256 << 20)
        env = dict(os.environ, TMPDIR=str(self.results.parent))  # where the scratch overlay goes
        started = time.monotonic()
        self.process = subprocess.Popen(self.command(), stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                        stderr=subprocess.STDOUT, env=env, start_new_session=True,
                                        preexec_fn=end_with_parent)
        try:
            self._follow(started, figures)
        finally:
            self.stop()

    def _follow(self, started: float, figures: Figures) -> None:
        booted = None
        steps = {}
        last = "boot"
        pending = b""
        with open(self.console, "wb") as console:
            while True:
                limit = started + BOOT_LIMIT if booted is None else booted + RUN_LIMIT
                if time.monotonic() > limit:
                    raise GuestFailure(f"the guest did not report in time (waiting in: {last}); "
                                       f"its console: {self.console}")
                ready, _, _ = select.select([self.process.stdout], [], [], 1.0)
                if not ready:
                    continue
                chunk = os.read(self.process.stdout.fileno(), 65536)
                if not chunk:
                    break
                console.write(chunk)
                console.flush()
                pending += chunk
                *lines, pending = pending.split(b"\n")
                for raw in lines:
                    line = raw.decode(errors="replace").strip("\r")
                    now = time.monotonic()
                    if line == "guest: up" and booted is None:
                        booted = now
                        figures.add("boot", now - started)
                    elif line.startswith("step: "):
                        name = line[len("step: "):]
                        if name.endswith(" done") and name[:-5] in steps:
                            figures.add(name[:-5], now - steps.pop(name[:-5]))
                        else:
                            steps[name] = now
                            last = name
                    elif line.startswith("report: "):
                        self.reports.append(line[len("report: "):])
                    elif line.startswith("guest: "):
                        last = line
        self.process.wait(30)
        if booted is None:
            raise GuestFailure(f"the guest ended without booting; its console: {self.console}")
        if "results written" not in self.reports:
            raise GuestFailure(f"the guest ended before its results were written (last: {last}); "
                               f"its console: {self.console}")

    def stop(self) -> None:
        """Never leaves a qemu behind, whatever ended the run."""
        if self.process and self.process.poll() is None:
            try:
                os.killpg(self.process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            self.process.wait()

    def report(self, prefix: str) -> str:
        found = [line[len(prefix):].strip() for line in self.reports if line.startswith(prefix)]
        return found[-1] if found else ""


# The checks -----------------------------------------------------------------------------------

class Checks:
    def __init__(self):
        self.failures = []

    def expect(self, what: str, passed: bool, detail="") -> None:
        print(f"  {'ok' if passed else 'FAILED':<7} {what}" + ("" if passed or detail == "" else f": {detail}"))
        if not passed:
            self.failures.append(what)


class KeptState:
    """A state of the guest's prefix as it was brought back: the registry files, the listing of
    drive C:, and after Setup the installed files, links and log."""

    def __init__(self, folder: Path):
        self.folder = folder
        self.system = RegistryFile(folder / "system.reg")
        self.user = RegistryFile(folder / "user.reg")

    def snapshot(self) -> dict:
        entries = []
        for line in (self.folder / "files.txt").read_text(errors="replace").splitlines():
            kind, size, relative = line.split("\t", 2)
            entries.append((relative, int(size) if kind == "f" else None))
        return {"files": drive_entries(entries), "keys": registry_keys(self.system, self.user)}

    def path(self, windows_path: str) -> Path:
        """A path of drive C: in the installed files brought back, found without regard to case."""
        here = self.folder / "drive_c"
        for part in PureWindowsPath(windows_path).parts[1:]:
            matches = [entry for entry in here.iterdir() if entry.name.lower() == part.lower()] if here.is_dir() else []
            here = matches[0] if matches else here / part
        return here


def exit_code(report: str):
    found = re.search(r"program exit code (\d+)", report)
    return int(found.group(1)) if found else None


def check_version(version: str, guest: Guest, results: Path, medium, checks: Checks) -> None:
    print(f"\n{version}:")
    kept = results / version
    setup, unsetup = guest.report(f"setup {version}"), guest.report(f"unsetup {version}")
    # A crash's code reads better as Windows writes it (0xC0000005: an access violation).
    setup, unsetup = (re.sub(r"exit code (3\d{9})\b", lambda m: f"exit code 0x{int(m.group(1)):08X}", said)
                      for said in (setup, unsetup))
    checks.expect("setup.exe /B ended with 0 and said so to the starting program",
                  exit_code(setup) == COMPLETED and setup.startswith("finished message received"), setup)
    checks.expect("unsetup.exe /U /B ended with 0", exit_code(unsetup) == COMPLETED, unsetup)
    said = set(guest.reports)
    checks.expect("the scheduler was running after Setup", f"scheduler {version} after-setup running" in said)
    checks.expect("Unsetup closed the scheduler", {f"scheduler {version} before-removal running",
                                                   f"scheduler {version} after-removal absent"} <= said)
    if not (kept / "installed" / "files.txt").is_file():
        checks.expect("the guest brought back the installed state", False)
        return
    installed = KeptState(kept / "installed")
    (kept / "installed" / "drive_c").mkdir()
    subprocess.run(["tar", "-xf", str(kept / "installed" / "drive_c.tar"), "-C", str(kept / "installed" / "drive_c")],
                   check=True)
    check_files(installed, medium, checks)
    check_log(installed, medium, checks)
    check_registry(installed, checks)
    check_links(installed, version, checks)
    before, after = KeptState(kept / "before"), KeptState(kept / "after")
    changes = left_behind(before.snapshot(), after.snapshot())
    left = {f"{part} {kind}": names for part, kinds in changes.items() for kind, names in kinds.items() if names}
    checks.expect("Unsetup left the machine as it was before Setup", not left, left)


def typical(medium, group: str) -> bool:
    return medium.groups[group][3] == 1


def check_files(installed: KeptState, medium, checks: Checks) -> None:
    wrong, missing, unwanted = [], [], []
    for name, (group, destination, data) in medium.files.items():
        path = installed.path(DEFAULT_DIRECTORIES[destination] + "\\" + name)
        if not typical(medium, group):
            if path.exists():
                unwanted.append(name)
        elif not path.is_file():
            missing.append(name)
        elif path.read_bytes() != data:
            wrong.append(name)
    checks.expect("every file of a Typical installation landed byte for byte", not (wrong or missing),
                  f"missing {missing}, different {wrong}")
    checks.expect("no file of a group outside Typical landed", not unwanted, unwanted)
    unsetup = installed.path(r"C:\KALMORA\unsetup.exe")
    checks.expect("the uninstaller is the i686 setup.exe", unsetup.is_file() and
                  unsetup.read_bytes() == (medium.setup_dir / "setup.exe").read_bytes())


def read_log(installed: KeptState) -> dict:
    log = installed.path(LOG)
    return parse_log(log.read_text(errors="replace") if log.is_file() else "")


def check_log(installed: KeptState, medium, checks: Checks) -> None:
    log = read_log(installed)
    # The shared DLL is recorded by its count alone, so that only the count decides its removal.
    shared = "kmshare.dll"
    wrong = [name for name, (group, destination, _) in medium.files.items()
             if typical(medium, group) and name != shared and log.get(group, {}).get(name) != f"{destination}|1|0"]
    checks.expect("the log lists every installed file in its group", not wrong, wrong)
    as_file = [section for section, keys in log.items() if section != "SharedDll" and shared in keys]
    checks.expect("the log lists the shared DLL by its count alone",
                  log.get("SharedDll") == {"C:\\KALMORA\\" + shared: "#1"} and not as_file,
                  (log.get("SharedDll"), as_file))
    checks.expect("the log lists the uninstaller", log.get("Install Programs") == {"unsetup.exe": "0|1|0"},
                  log.get("Install Programs"))
    checks.expect("the log names the program folder", log.get("PMGroup", {}).get("pmgroup") == "Orvane")


def check_registry(installed: KeptState, checks: Checks) -> None:
    system = installed.system
    product = r"Software\Orvane\Kalmora\4.0"
    checks.expect("the product's key holds its path and version",
                  system.value(product, "Path") == "C:\\KALMORA\\" and system.value(product, "Version") == 400,
                  (system.value(product, "Path"), system.value(product, "Version")))
    uninstall = r"Software\Microsoft\Windows\CurrentVersion\Uninstall\Kalmora 4.0"
    checks.expect("Add/Remove Programs names Unsetup",
                  system.value(uninstall, "UninstallString") == r"C:\KALMORA\unsetup.exe /U",
                  system.value(uninstall, "UninstallString"))
    counts = {name.lower(): value for name, (_, value) in (system.key(SHARED_DLLS[len("hklm\\"):]) or {}).items()}
    checks.expect("the shared DLL is counted once", counts.get(r"c:\kalmora\kmshare.dll") == 1, counts)
    checks.expect("the picture albums' file type is registered",
                  system.value(r"Software\Classes\.pxl", "") is not None)
    registered = {name: system.value(rf"Software\Classes\CLSID\{clsid}\InprocServer32", "")
                  for name, clsid in SERVERS.items()}
    checks.expect("each COM server registered itself from where it was installed",
                  all(path and path.lower().endswith("\\" + name) for name, path in registered.items()), registered)


def check_links(installed: KeptState, version: str, checks: Checks) -> None:
    folders = {name: installed.user.value(SHELL_FOLDERS, name) for name in ("Programs", "StartUp")}
    targets = {}
    for name, below in (("Programs", "Orvane"), ("StartUp", "")):
        folder = installed.path(f"{folders[name]}\\{below}".rstrip("\\")) if folders[name] else None
        links = folder.glob("*.lnk") if folder and folder.is_dir() else []
        targets[name] = sorted(read_link(link).path for link in links)
    checks.expect("the program's icon points at the installed program", r"C:\KALMORA\kmwin.exe" in targets["Programs"],
                  targets["Programs"])
    if version == "nt351":
        checks.expect("Program Manager's group holds the uninstaller's item",
                      r"C:\KALMORA\unsetup.exe" in targets["Programs"], targets["Programs"])
    checks.expect("the scheduler starts with Windows", r"C:\KALMORA\kmsched.exe" in targets["StartUp"],
                  targets["StartUp"])


# The whole run --------------------------------------------------------------------------------

def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--versions", default="win95,nt40,nt351")
    versions = parser.parse_args().versions.split(",")
    programs = Path(os.environ.get("KALMORA_PRODUCT_BUILD", REPO / "build" / "win32")) / "bin"
    for signum in (signal.SIGTERM, signal.SIGHUP):
        signal.signal(signum, lambda *_: sys.exit("round trip: stopped by signal"))
    figures = Figures()
    work = Path(tempfile.mkdtemp(prefix="kalmora-guest-"))
    kept = False
    try:
        if not (programs / "setup.exe").is_file():
            raise GuestFailure(f"{programs / 'setup.exe'} is missing: build the i686 tree first")
        image = ensure_image(figures)
        payload, medium = make_payload(work, programs, versions)
        guest = Guest(image, payload, work / "results.img", work / "console.log")
        print(f"guest: booting ({', '.join(versions)})", flush=True)
        started = time.monotonic()
        guest.run(figures)
        figures.add("guest in all", time.monotonic() - started)
        results = work / "results"
        results.mkdir()
        subprocess.run(["tar", "-xf", str(work / "results.img"), "-C", str(results)], check=True)
        if "wineboot 0" not in guest.reports:
            raise GuestFailure(f"Wine made no 32-bit prefix in the guest ({guest.report('wineboot')!r}); "
                               f"its output: {results / 'wineboot.log'}")
        checks = Checks()
        for version in versions:
            check_version(version, guest, results, medium, checks)
        figures.print()
        if checks.failures:
            kept = True
            print(f"\nFAILED: {len(checks.failures)} checks; what the guest brought back: {work}")
            return 1
        print("\nthe i686 program installed and removed the product on " + " and ".join(versions))
        return 0
    except GuestFailure as failure:
        kept = True
        figures.print()
        print(f"\nFAILED: {failure}\n(kept: {work})")
        return 1
    finally:
        if not kept:
            shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
