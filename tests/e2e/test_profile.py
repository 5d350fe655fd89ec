"""The install profile "ov_setup.ini" beside setup.exe, read at start-up: its settings reach the
pages, and its registry entries, shared DLLs and file types are applied after copying."""

import pytest

from medium import Medium
from walks import TYPICAL_TO_COPY_DELAY

# Section names are matched ignoring case; a later "interface" section is applied over an earlier.
PROFILE = (
    "[interface]\r\nFileCopyDelayInterval = 9\r\n"
    "[INTERFACE]\r\nFileCopyDelayInterval = 17\r\n"
)


@pytest.mark.winver("nt40")
@pytest.mark.parametrize("profile, delay", [(PROFILE, "17"), (None, "5")], ids=["profile", "no-profile"])
def test_copy_delay_question_starts_from_the_profile(prefix, build, tmp_path, driver, profile, delay):
    medium = Medium(tmp_path / "medium", build.exe("setup.exe"), profile=profile)
    prefix.map_drive("d", medium.setup_dir)
    setup = prefix.start(r"D:\setup.exe", timeout=120)
    driver.check(TYPICAL_TO_COPY_DELAY + f"expect-text 1036 {delay}\nclick 7\n"
                 "wait-page 108\n" + "wait-page 115 60000\nclick 1\n")
    assert setup.wait() == 0


# Entries for every selection: option 0 always, 2 with Typical, 1 (Minimal) not with Typical; the
# shared DLL of each platform's section; one file type.
REGISTRY_PROFILE = r"""[Registry]
key = "HKEY_LOCAL_MACHINE\SOFTWARE\Orvane\Kalmora\4.0"
name = Path
data = "?0?"
option = 0
[Registry]
key = "HKEY_LOCAL_MACHINE\SOFTWARE\Orvane\Kalmora\4.0"
name = Version
data = "#400"
option = 2
[Registry]
key = "HKEY_LOCAL_MACHINE\SOFTWARE\Orvane\Minimal"
name = Small
data = "yes"
option = 1
[SharedDLL95]
name = "?0?kmshare.dll"
option = 1
[SharedDLLNT]
name = "?0?kmshnt.dll"
option = 1
[mediatypes]
count = 1
shortname = Kalmora
longname = "Kalmora Picture Album"
file1 = .kmz
""".replace("\n", "\r\n")

SHARED_DLLS = r"Software\Microsoft\Windows\CurrentVersion\SharedDLLs"


# After copying, Setup applies what the profile describes: the selected registry entries with
# their macros expanded, the count of the platform's own shared DLL (the other platform's section
# is ignored), the free file type; the keys it created are in the log, each with the values that
# the product wrote into it.
def test_unattended_setup_applies_the_profiles_registry_entries(prefix, build, tmp_path):
    medium = Medium(tmp_path / "medium", build.exe("setup.exe"), profile=REGISTRY_PROFILE)
    prefix.map_drive("d", medium.setup_dir)
    assert prefix.run(r"D:\setup.exe", "/B", timeout=120).exit_code == 0

    system = prefix.registry("system")
    assert system.value(r"Software\Orvane\Kalmora\4.0", "Path") == "C:\\KALMORA\\"
    assert system.value(r"Software\Orvane\Kalmora\4.0", "Version") == 400
    assert system.key(r"Software\Orvane\Minimal") is None
    ours, other = ("kmshare.dll", "kmshnt.dll") if prefix.version == "win95" else ("kmshnt.dll", "kmshare.dll")
    assert system.value(SHARED_DLLS, "C:\\KALMORA\\" + ours) == 1
    assert system.value(SHARED_DLLS, "C:\\KALMORA\\" + other) is None
    assert system.value(r"Software\Classes\.kmz", "") == "Kalmora"

    log = prefix.linux_path(r"C:\windows\kmwin4.log").read_text(errors="replace")
    for line in (r"HKEY_LOCAL_MACHINE\SOFTWARE\Orvane=x", r"HKEY_LOCAL_MACHINE\SOFTWARE\Orvane\Kalmora\4.0=x|Path|Version",
                 r"HKEY_CLASSES_ROOT\.kmz=x|", "C:\\KALMORA\\" + ours + "=#1", "kmwin.GID=0|1|0",
                 "11=Alarms|3|C:\\KALMORA\\Data\\Alarms\\"):
        assert line in log.splitlines(), line
    assert prefix.linux_path(r"C:\KALMORA\Data\Alarms").is_dir()
