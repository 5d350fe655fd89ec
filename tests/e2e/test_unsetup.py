"""Unsetup, the installed uninstaller started with /U: it takes away everything that Setup put on
the machine, in its fixed order, with its progress page and its stop question, and at last
removes itself. What it must leave is asserted by name."""

import subprocess
import time

import pytest

from exitcodes import COMPLETED, NOT_COMPLETED, RESTART_PENDING, exit_code_of, start_watched
from installed import LOG, left_behind, read_log, snapshot
from medium import DESTINATIONS, GROUPS, PRODUCT_PROFILE, Medium, with_product_programs
from test_install import hold_file

PRODUCT = r"C:\KALMORA"
UNSETUP = PRODUCT + r"\unsetup.exe"
SETTINGS_KEY = r"HKCU\Software\Orvane\Kalmora\4.0"
SHARED_DLLS = r"HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\SharedDLLs"

# The product's profile, installed with the program so that Unsetup finds it beside itself.
PROFILE = PRODUCT_PROFILE


def every_group(groups: dict) -> dict:
    """The groups with each one part of a Typical installation."""
    return {name: definition[:3] + (1,) + definition[4:] for name, definition in groups.items()}


def product_medium(prefix, build, tmp_path, profile: str = PROFILE, groups: dict = GROUPS, **options) -> Medium:
    profile_file = tmp_path / "ov_setup.ini"
    profile_file.write_text(profile, newline="")
    groups = with_product_programs(groups, build.bin, real_program=True)
    caption, description, minimal, typical, custom, destination, files = groups["program"]
    groups["program"] = (caption, description, minimal, typical, custom, destination,
                         dict(files, **{"ov_setup.ini": profile_file, "kmshare.dll": 2000}))
    medium = Medium(tmp_path / "medium", build.exe("setup.exe"), groups=groups, profile=profile, **options)
    prefix.map_drive("d", medium.setup_dir)
    return medium


def install(prefix) -> None:
    assert prefix.run(r"D:\setup.exe", "/B", timeout=120).exit_code == 0
    # What the program makes when it runs.
    prefix.reg_add(SETTINGS_KEY, "LastAlbum", "holidays")


def removal_scripts(prefix) -> list:
    return [path for place in (r"C:\users", r"C:\windows\temp")
            for path in prefix.linux_path(place).rglob("kmunset*.bat")]


def wait_for_self_removal(prefix, timeout: float = 20, uninstaller: str = UNSETUP) -> None:
    """The uninstaller's file goes a moment after its process has ended, then its folder, and the
    script that removes them deletes itself last."""
    unsetup = prefix.linux_path(uninstaller)
    deadline = time.monotonic() + timeout
    while (unsetup.exists() or removal_scripts(prefix)) and time.monotonic() < deadline:
        time.sleep(0.2)
    assert not unsetup.exists(), "unsetup.exe is still there"
    assert removal_scripts(prefix) == [], "the removal script is still there"


def assert_as_before(before: dict, after: dict) -> None:
    nothing = {"added": [], "removed": [], "changed": []}
    assert left_behind(before, after) == {"files": nothing, "keys": nothing}


@pytest.mark.parametrize("walk", ["unattended", "attended"])
def test_install_then_unsetup_leaves_the_machine_as_it_was(prefix, build, tmp_path, driver, walk):
    product_medium(prefix, build, tmp_path, groups=every_group(GROUPS))
    before = snapshot(prefix)
    install(prefix)
    assert prefix.reg_query(SETTINGS_KEY, "LastAlbum") == "holidays"
    if walk == "unattended":
        assert prefix.run(UNSETUP, "/U", "/B", timeout=120).exit_code == 0
    else:
        unsetup = prefix.start(UNSETUP, "/U", timeout=120)
        driver.check("wait-page 1545 20000\nclick 1\nwait-page 1547 60000\nclick 1\n")
        assert unsetup.wait() == 0
    wait_for_self_removal(prefix)
    assert_as_before(before, snapshot(prefix))


# A key that another product made before Setup stays, with its values, although Setup wrote below
# it; so does a file type that another program had claimed.
@pytest.mark.winver("nt40")
def test_keys_that_existed_before_setup_stay(prefix, build, tmp_path, driver):
    product_medium(prefix, build, tmp_path)
    prefix.reg_add(r"HKLM\SOFTWARE\Orvane", "Owner", "another product")
    prefix.reg_add(r"HKCR\.pxl", "", "PaintBox.Picture")
    before = snapshot(prefix)
    install(prefix)
    driver.check('wait-window "Kalmora Scheduler" KMScheduler 10000')
    assert prefix.run(UNSETUP, "/U", "/B", timeout=120).exit_code == 0
    # The scheduler was asked to close before its file went.
    driver.check('wait-window-gone "Kalmora Scheduler" KMScheduler 1000')
    wait_for_self_removal(prefix)
    after = snapshot(prefix)
    assert after["keys"][r"hklm\software\orvane"] == {"owner": ("REG_SZ", "another product")}
    assert after["keys"][r"hklm\software\classes\.pxl"] == {"": ("REG_SZ", "PaintBox.Picture")}
    assert_as_before(before, after)


# A shared DLL of the product is recorded by its count alone, never among its group's files: the
# count that another product raised keeps it through Unsetup, one lower.
@pytest.mark.winver("win95", "nt40")
def test_a_shared_dll_that_another_product_counts_stays_one_count_lower(prefix, build, tmp_path):
    product_medium(prefix, build, tmp_path)
    dll = PRODUCT + r"\kmshare.dll"
    prefix.reg_add(SHARED_DLLS, dll, 1)
    install(prefix)
    log = read_log(prefix)
    assert "kmshare.dll" not in log["program"]
    assert log["SharedDll"] == {dll: "#2"}
    assert prefix.run(UNSETUP, "/U", "/B", timeout=120).exit_code == 0
    wait_for_self_removal(prefix)
    assert prefix.reg_query(SHARED_DLLS, dll) == 1
    assert prefix.linux_path(dll).is_file()


# Unsetup takes a key that Setup created only while it holds nothing of others: the file type that
# another program has since filled keeps its values, and so does every key that a damaged log
# names: the shared DLL counts, the Run key, the environment, another vendor's key listed before
# its subkey.
@pytest.mark.winver("nt40")
def test_keys_that_hold_what_others_wrote_stay_whatever_the_log_says(prefix, build, tmp_path):
    product_medium(prefix, build, tmp_path)
    run_key = r"HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run"
    prefix.reg_add(run_key, "OtherTool", r"C:\OTHER\tool.exe")
    prefix.reg_add(SHARED_DLLS, r"C:\OTHER\other.dll", 1)
    prefix.reg_add(r"HKLM\SOFTWARE\Paintbox\Filters", "Count", 2)
    install(prefix)
    prefix.reg_add(r"HKCR\.pxl", "Content Type", "image/x-pxl")
    log = prefix.linux_path(LOG)
    damaged = "".join(f"{key}=x\r\n" for key in (
        r"HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\SharedDLLs",
        r"HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Run", r"HKEY_CURRENT_USER\Environment",
        r"HKEY_LOCAL_MACHINE\SOFTWARE\Paintbox", r"HKEY_LOCAL_MACHINE\SOFTWARE\Paintbox\Filters"))
    log.write_bytes(log.read_bytes().replace(b"[Registry]\r\n", b"[Registry]\r\n" + damaged.encode()))
    environment = prefix.reg_query(r"HKCU\Environment")
    assert environment
    assert prefix.run(UNSETUP, "/U", "/B", timeout=120).exit_code == 0
    assert prefix.reg_query(r"HKCR\.pxl") == {"": ("REG_SZ", "Kalmora"), "Content Type": ("REG_SZ", "image/x-pxl")}
    assert prefix.reg_query(run_key, "OtherTool") == r"C:\OTHER\tool.exe"
    assert prefix.reg_query(SHARED_DLLS, r"C:\OTHER\other.dll") == 1
    assert prefix.reg_query(r"HKLM\SOFTWARE\Paintbox\Filters", "Count") == 2
    assert prefix.reg_query(r"HKCU\Environment") == environment
    assert prefix.reg_query(r"HKLM\SOFTWARE\Orvane") is None


# The profile's "-1" keys go, the innermost first, but Windows 95 would delete a key with all its
# subkeys: another product's key below the vendor's stays with its values.
@pytest.mark.winver("win95")
def test_a_removal_key_leaves_another_products_subkey(prefix, build, tmp_path):
    product_medium(prefix, build, tmp_path)
    install(prefix)
    prefix.reg_add(r"HKCU\Software\Orvane\Paintbox", "Brush", "round")
    assert prefix.run(UNSETUP, "/U", "/B", timeout=120).exit_code == 0
    assert prefix.reg_query(r"HKCU\Software\Orvane\Paintbox", "Brush") == "round"
    assert prefix.reg_query(SETTINGS_KEY) is None
    assert prefix.reg_query(r"HKCU\Software\Orvane\Kalmora") is None


# The product still running during Unsetup: the rest goes now, the program and then its directory
# at the next start of Windows (Windows 95 can arrange files alone), and the run and its last page
# say so. The log and the uninstaller are gone already.
@pytest.mark.winver("nt40", "win95")
def test_a_program_in_use_goes_at_the_next_start(prefix, build, tmp_path, driver, artifacts):
    product_medium(prefix, build, tmp_path)
    install(prefix)
    program = prefix.start(PRODUCT + r"\kmwin.exe", timeout=120)
    driver.check('wait-window "Kalmora 4.0" KalmoraMain 30000')
    if prefix.version == "nt40":
        unsetup = start_watched(prefix, build, UNSETUP, "/U", "/B")
    else:
        unsetup = start_watched(prefix, build, UNSETUP, "/U")
        result = driver.check("wait-page 1545 20000\nclick 1\nwait-page 1547 60000\ntext 1051\n")
        driver.screenshot(artifacts / "removed-at-restart.png")
        driver.check("wait-page 1547\nclick 1\n")
        assert result.find("text")[0].text == ("Some of its files are in use. Windows removes them when it is "
                                               "next restarted.")
    assert exit_code_of(unsetup) == RESTART_PENDING
    wait_for_self_removal(prefix)
    kmwin = prefix.linux_path(PRODUCT + r"\kmwin.exe")
    assert sorted(p.name for p in prefix.linux_path(PRODUCT).iterdir()) == ["kmwin.exe"]
    assert not prefix.linux_path(LOG).exists()
    assert prefix.reg_query(r"HKLM\SOFTWARE\Orvane") is None
    program.kill()
    prefix.run("wineboot", "-r", timeout=60)
    deadline = time.monotonic() + 20
    while kmwin.exists() and time.monotonic() < deadline:
        time.sleep(0.2)
    assert not kmwin.exists()
    assert prefix.linux_path(PRODUCT).exists() == (prefix.version == "win95")


# A file in use that cannot even be arranged to go at the next start (Windows 95's wininit.ini
# cannot be written): the removal says it is incomplete (1603), and the log and the uninstaller stay
# for another try, which removes the rest once the program has ended.
@pytest.mark.winver("win95")
def test_what_can_neither_go_nor_wait_keeps_the_log_for_another_try(prefix, build, tmp_path, driver):
    product_medium(prefix, build, tmp_path)
    before = snapshot(prefix)
    install(prefix)
    program = prefix.start(PRODUCT + r"\kmwin.exe", timeout=120)
    driver.check('wait-window "Kalmora 4.0" KalmoraMain 30000')
    wininit = prefix.place(r"C:\windows\wininit.ini", b"")
    subprocess.run(["chattr", "+i", str(wininit)], check=True)
    try:
        assert exit_code_of(start_watched(prefix, build, UNSETUP, "/U", "/B")) == NOT_COMPLETED
    finally:
        subprocess.run(["chattr", "-i", str(wininit)], check=True)
    wininit.unlink()
    time.sleep(6)
    assert prefix.linux_path(UNSETUP).is_file()
    assert "kmwin.exe" in read_log(prefix)["program"]
    assert not prefix.linux_path(PRODUCT + r"\Art").exists()
    program.kill()
    assert prefix.run(UNSETUP, "/U", "/B", timeout=120).exit_code == 0
    wait_for_self_removal(prefix)
    assert_as_before(before, snapshot(prefix))


# The two cases of a shared DLL that stays: one that another program holds open keeps its file and
# its count, unasked; one that cannot be deleted (the file system refuses) keeps its count value,
# at 0, so that no other uninstaller takes it for one that nobody counted, and goes at the next
# start.
@pytest.mark.winver("nt40")
def test_a_shared_dll_that_stays_keeps_its_count(prefix, build, tmp_path):
    held = PRODUCT + r"\kmhold.dll"
    stuck = PRODUCT + r"\kmshare.dll"
    profile = PROFILE + '[SharedDLLNT]\r\nname = "?0?kmhold.dll"\r\noption = 1\r\n'
    caption, description, minimal, typical, custom, destination, files = GROUPS["program"]
    groups = dict(GROUPS, program=(caption, description, minimal, typical, custom, destination,
                                   dict(files, **{"kmhold.dll": 1500})))
    product_medium(prefix, build, tmp_path, profile=profile, groups=groups)
    install(prefix)
    holder = hold_file(prefix, build, held)
    time.sleep(1.5)
    stuck_file = prefix.linux_path(stuck)
    subprocess.run(["chattr", "+i", str(stuck_file)], check=True)
    try:
        assert exit_code_of(start_watched(prefix, build, UNSETUP, "/U", "/B")) == RESTART_PENDING
        assert stuck_file.exists()
    finally:
        subprocess.run(["chattr", "-i", str(stuck_file)], check=True)
    holder.kill()
    assert prefix.linux_path(held).exists()
    assert prefix.reg_query(SHARED_DLLS, held) == 1
    assert prefix.reg_query(SHARED_DLLS, stuck) == 0


# The uninstaller removes itself wherever it was installed: the interpreter that runs its last
# script takes "%" for the start of a variable, and reads the script in the OEM code page.
@pytest.mark.winver("nt40")
@pytest.mark.parametrize("folder", ["100% Kalmora", "Kalmora %TEMP%", "B\u00fcro"])
def test_the_uninstaller_removes_itself_from_any_folder(prefix, build, tmp_path, folder):
    main = "C:\\" + folder
    product_medium(prefix, build, tmp_path, destinations={**DESTINATIONS, 0: ("Kalmora", -1, main)})
    before = snapshot(prefix)
    install(prefix)
    uninstaller = main + r"\unsetup.exe"
    assert prefix.linux_path(uninstaller).is_file()
    assert prefix.run(uninstaller, "/U", "/B", timeout=120).exit_code == 0
    wait_for_self_removal(prefix, uninstaller=uninstaller)
    assert_as_before(before, snapshot(prefix))


# An uninstaller that can never be deleted: its script gives up after a bounded number of tries,
# and ends by deleting itself.
@pytest.mark.winver("win95")
def test_a_script_that_cannot_delete_the_uninstaller_ends(prefix, build, tmp_path):
    product_medium(prefix, build, tmp_path)
    install(prefix)
    unsetup = prefix.linux_path(UNSETUP)
    subprocess.run(["chattr", "+i", str(unsetup)], check=True)
    try:
        assert prefix.run(UNSETUP, "/U", "/B", timeout=120).exit_code == 0
        deadline = time.monotonic() + 90
        while removal_scripts(prefix) and time.monotonic() < deadline:
            time.sleep(1)
        assert removal_scripts(prefix) == []
        assert unsetup.is_file()
    finally:
        subprocess.run(["chattr", "-i", str(unsetup)], check=True)


# The stop question: a shared DLL of the system directory holds the removal with its question;
# Cancel pressed meanwhile is asked about at the next status line. Yes stops at once (the DLL's
# question answered No); No goes on (the DLL's question answered Yes).
@pytest.mark.winver("nt40")
@pytest.mark.parametrize("stop, delete_dll", [("yes", "no"), ("no", "yes")])
def test_a_stop_answered_yes_keeps_the_rest_no_goes_on(prefix, build, tmp_path, driver, stop, delete_dll):
    system_dll = r"C:\windows\system32\kmsysdll.dll"
    profile = PROFILE.replace('"?0?kmshare.dll"', '"' + system_dll + '"')
    medium = product_medium(prefix, build, tmp_path, profile=profile)
    install(prefix)
    prefix.place(system_dll, b"shared")
    unsetup = start_watched(prefix, build, UNSETUP, "/U")
    result = driver.check(f"""
wait-page 1545 20000
click 1
wait-message * 30000
wait-page 1546
click 2
answer * {delete_dll}
answer * {stop}
wait-page {179 if stop == "yes" else 1547} 60000
click 1
""")
    questions = [line.values[1] for line in result.find("answer")]
    assert questions[0] == ("Unsetup is attempting to delete kmsysdll.dll.\nThis file may be used by other "
                            "applications.\nContinue deleting this file?")
    assert questions[1] == "Kalmora 4.0  Uninstallation not complete. Do you really want to exit Unsetup?"
    assert exit_code_of(unsetup) == (NOT_COMPLETED if stop == "yes" else COMPLETED)
    kmwin = prefix.linux_path(PRODUCT + r"\kmwin.exe")
    if stop == "yes":
        # Stopped before the first file: the files, the log and the uninstaller stay for another try.
        time.sleep(6)
        assert kmwin.read_bytes() == medium.files["kmwin.exe"][2]
        assert prefix.linux_path(LOG).is_file()
        assert prefix.linux_path(UNSETUP).is_file()
        assert prefix.linux_path(system_dll).read_bytes() == b"shared"
    else:
        wait_for_self_removal(prefix)
        assert not kmwin.exists() and not prefix.linux_path(LOG).exists()
        assert not prefix.linux_path(system_dll).exists()


# Files of destinations numbered 1000 and above are shared with other products and stay; a
# read-only file goes; a file the user made keeps its directory and the parents.
@pytest.mark.winver("win95")
def test_what_unsetup_keeps_and_what_it_takes(prefix, build, tmp_path):
    destinations = {0: ("Kalmora", -1, PRODUCT), 1: ("Samples", 0, ""), 2: ("Art", 0, ""), 3: ("Data", 0, ""),
                    5: ("Servers", 0, ""), 6: ("Filters", 0, ""), 7: ("Import", 0, ""),
                    1000: ("KmShared", -2, "")}  # below the Windows directory
    groups = dict(GROUPS, fonts=("Fonts", "Shared fonts", 1, 1, 1, 1000, {"kmsans.fon": 3000}))
    product_medium(prefix, build, tmp_path, groups=groups, destinations=destinations)
    install(prefix)
    read_only = prefix.linux_path(PRODUCT + r"\Art\castle.pcx")
    read_only.chmod(0o444)
    prefix.place(PRODUCT + r"\Samples\my letter.kmd", b"mine")
    assert prefix.run(UNSETUP, "/U", "/B", timeout=120).exit_code == 0
    wait_for_self_removal(prefix)
    assert prefix.linux_path(r"C:\windows\KmShared\kmsans.fon").is_file()
    assert not read_only.exists()
    assert prefix.linux_path(PRODUCT + r"\Samples\my letter.kmd").read_bytes() == b"mine"
    assert sorted(p.name for p in prefix.linux_path(PRODUCT).iterdir()) == ["Samples"]


# Without a log only the fixed steps act, and the removal still ends on its page.
@pytest.mark.winver("nt351")
def test_without_a_log_unsetup_ends_on_the_removed_page(prefix, build, tmp_path, driver):
    product_medium(prefix, build, tmp_path)
    prefix.place(r"C:\Tools\unsetup.exe", build.exe("setup.exe"))
    unsetup = prefix.start(r"C:\Tools\unsetup.exe", "/U", timeout=120)
    driver.check("wait-page 1545 20000\nclick 1\nwait-page 1547 60000\nclick 1\n")
    assert unsetup.wait() == 0


# A damaged or hostile log: Unsetup removes what it can name safely and ends, never reaching
# outside the product's directories, however a log spells the Windows directory or its subdirectories.
@pytest.mark.winver("nt40")
def test_a_hostile_log_reaches_nothing_outside_the_product(prefix, build, tmp_path):
    product_medium(prefix, build, tmp_path)
    install(prefix)
    log = prefix.linux_path(LOG)
    text = log.read_text(errors="replace")
    # Temporary copies by name: another program's file in the Windows directory and a user's
    # document stay; a copy left in the product's directory goes.
    text = text.replace("[destinations]", "[Temporary]\r\nC:\\windows\\0badf00d.ini=1\r\n"
                        "C:\\Documents\\deadbeef.kmd=1\r\nC:\\KALMORA\\1234abcd.exe=1\r\n[destinations]", 1)
    text = text.replace("[destinations]", "[destinations]\r\n2=Art|0|C:\\windows\\system32\\\r\n9=Root|-1|C:\\\r\n"
                        "8=Dot|0|C:\\WINDOWS.\\\r\n10=Etc|0|C:\\windows\\system32\\drivers\\etc\\")
    # Into the group's own section: a second section of the same name would never be read.
    text = text.replace("[program]\n", "[program]\r\nkernel32.dll=2|1|0\r\n..\\win.ini=0|1|0\r\nboot.ini=9|1|0\r\n"
                        "no bar\r\nwin.ini=8|1|0\r\nhosts=10|1|0\r\nhuge=" + "9" * 5000 + "\r\n", 1)
    log.write_bytes(text.encode("latin-1", "replace") + bytes(range(256)))
    kernel32 = prefix.linux_path(r"C:\windows\system32\kernel32.dll")
    kernel_bytes = kernel32.read_bytes()
    prefix.place(r"C:\boot.ini", b"[boot loader]")
    for named in (r"C:\windows\0badf00d.ini", r"C:\Documents\deadbeef.kmd", PRODUCT + r"\1234abcd.exe"):
        prefix.place(named, b"a temporary name")
    assert prefix.run(UNSETUP, "/U", "/B", timeout=120).exit_code == 0
    assert prefix.linux_path(r"C:\windows\0badf00d.ini").exists()
    assert prefix.linux_path(r"C:\Documents\deadbeef.kmd").exists()
    assert not prefix.linux_path(PRODUCT + r"\1234abcd.exe").exists()
    assert kernel32.read_bytes() == kernel_bytes
    assert prefix.linux_path(r"C:\boot.ini").read_bytes() == b"[boot loader]"
    assert prefix.linux_path(r"C:\windows\win.ini").exists()
    assert prefix.linux_path(r"C:\windows\system32\drivers\etc\hosts").exists()
    assert not prefix.linux_path(PRODUCT + r"\kmwin.exe").exists()


# A log cut short in the middle of its list of groups: the groups that it still names lose their
# files, and Unsetup ends.
@pytest.mark.winver("win95")
def test_a_truncated_log_removes_what_it_names(prefix, build, tmp_path):
    medium = product_medium(prefix, build, tmp_path)
    install(prefix)
    log = prefix.linux_path(LOG)
    text = log.read_bytes()
    groups = text.index(b"[groups]")
    log.write_bytes(text[:text.index(b"\nprogram=", groups) + 12])
    assert prefix.run(UNSETUP, "/U", "/B", timeout=120).exit_code == 0
    assert not prefix.linux_path(PRODUCT + r"\kmwin.exe").exists()
    samples = prefix.linux_path(PRODUCT + r"\Samples\letter.kmd")
    assert samples.read_bytes() == medium.files["letter.kmd"][2]


# In place (/N) the uninstaller is the program on the medium: it stays.
@pytest.mark.winver("win95")
def test_in_place_unsetup_keeps_itself(prefix, build, tmp_path):
    product_medium(prefix, build, tmp_path)
    install(prefix)
    assert prefix.run(UNSETUP, "/U", "/B", "/N", timeout=120).exit_code == 0
    time.sleep(6)
    assert prefix.linux_path(UNSETUP).is_file()
    assert not prefix.linux_path(PRODUCT + r"\kmwin.exe").exists()


# The program that started Setup or Unsetup with /T:<thread> hears when it has finished; both
# report a completed run.
@pytest.mark.winver("nt40")
def test_the_starting_program_hears_that_setup_and_unsetup_finished(prefix, build, tmp_path):
    product_medium(prefix, build, tmp_path)
    setup = start_watched(prefix, build, r"D:\setup.exe", "/B", timeout=150)
    assert exit_code_of(setup) == COMPLETED
    assert setup.exit_code == 0, "no finished message: " + setup.output()
    unsetup = start_watched(prefix, build, UNSETUP, "/U", "/B", timeout=150)
    assert exit_code_of(unsetup) == COMPLETED
    assert unsetup.exit_code == 0, "no finished message: " + unsetup.output()
    wait_for_self_removal(prefix)
