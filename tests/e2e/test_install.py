"""Installations that really copy: what lands on disk and in the uninstall log, replacement by
date, files in use deferred to the next start, cancelling during copying, damaged archives."""

import os
import re
import time

import pytest

from exitcodes import RESTART_PENDING, WITH_ERRORS, exit_code_of, start_watched
from installed import read_log
from medium import DEFAULT_DIRECTORIES, GROUPS, PROGRAM_GROUPS, Medium, with_product_programs
from walks import TYPICAL_TO_COPY_DELAY, accept_diskette

PRODUCT = r"C:\KALMORA"
TYPICAL_GROUPS = ("program", "art", "samples") + tuple(PROGRAM_GROUPS)


# Cancel is pressed on the copying page while the copy-delay question is still up.
TO_COPYING = TYPICAL_TO_COPY_DELAY + """wait-page 108
click 2
wait-window "Stacker Settings"
click 7
"""


def installed(prefix, medium, name):
    group, destination, _ = medium.files[name]
    return prefix.linux_path(DEFAULT_DIRECTORIES[destination] + "\\" + name)


@pytest.fixture
def cd_medium(prefix, build, tmp_path):
    made = Medium(tmp_path / "medium", build.exe("setup.exe"), layout="cd")
    prefix.map_drive("d", made.root)
    return made


def test_unattended_typical_install_from_a_cd(prefix, cd_medium):
    setup = prefix.start(r"D:\DISK01\setup.exe", "/B", timeout=120)
    assert setup.wait() == 0
    log = read_log(prefix)
    for name, (group, destination, data) in cd_medium.files.items():
        path = installed(prefix, cd_medium, name)
        if group in TYPICAL_GROUPS:
            assert path.read_bytes() == data, name
            assert log[group][name] == f"{destination}|1|0", name
        else:
            assert not path.exists(), f"{name} of an unselected group was installed"
            assert name not in log.get(group, {})
    # The running program stays behind as the uninstaller.
    unsetup = prefix.linux_path(PRODUCT + r"\unsetup.exe")
    assert unsetup.read_bytes() == (cd_medium.setup_dir / "setup.exe").read_bytes()
    assert not prefix.linux_path(PRODUCT + r"\setup.exe").exists()
    assert log["Install Programs"] == {"unsetup.exe": "0|1|0"}
    assert log["destinations"]["1"].startswith("Samples|0|")
    assert log["PMGroup"]["pmgroup"] == "Orvane"
    # No temporary file is left beside the installed ones.
    leftovers = [p.name for p in prefix.linux_path(PRODUCT).rglob("*")
                 if p.is_file() and len(p.stem) == 8 and all(c in "0123456789abcdef" for c in p.stem)]
    assert leftovers == []


@pytest.mark.winver("win95")
def test_newer_file_stays_older_is_replaced(prefix, build, tmp_path):
    medium = Medium(tmp_path / "medium", build.exe("setup.exe"))
    prefix.map_drive("d", medium.setup_dir)
    newer = installed(prefix, medium, "letter.kmd")
    older = installed(prefix, medium, "flowers.pcx")
    for path in (newer, older):
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(b"the copy that was there before")
    future = time.time() + 10 * 365 * 86400
    os.utime(newer, (future, future))
    os.utime(older, (315532800, 315532800))  # 1980
    assert prefix.start(r"D:\setup.exe", "/B", timeout=120).wait() == 0
    assert newer.read_bytes() == b"the copy that was there before"
    assert older.read_bytes() == medium.files["flowers.pcx"][2]
    log = read_log(prefix)
    assert log["samples"]["letter.kmd"] == "1|0|0"
    assert log["art"]["flowers.pcx"] == "2|1|1"


def hold_file(prefix, build, windows_path):
    """Starts the UI driver holding the file open without sharing until it is killed."""
    script = r"C:\kalmora-driver\hold.txt"
    prefix.place(script, f"hold {windows_path}\nsleep 60000\n".encode())
    return prefix.start(build.exe("uidriver.exe"), script, timeout=120, name="holder")


def start_with_the_program_in_use(prefix, build, tmp_path, *setup_args):
    """An older kmwin.exe installed and held open by another program, then Setup started (with
    setup_args): the new one must wait for the next start of Windows. Returns the medium, the
    installed file's Linux path, the holder and Setup."""
    medium = Medium(tmp_path / "medium", build.exe("setup.exe"))
    prefix.map_drive("d", medium.setup_dir)
    target = installed(prefix, medium, "kmwin.exe")
    target.parent.mkdir(parents=True, exist_ok=True)
    target.write_bytes(b"old program")
    os.utime(target, (315532800, 315532800))
    holder = hold_file(prefix, build, PRODUCT + r"\kmwin.exe")
    time.sleep(1.5)
    setup = start_watched(prefix, build, r"D:\setup.exe", *setup_args)
    return medium, target, holder, setup


@pytest.mark.winver("nt40", "win95")
def test_file_in_use_waits_for_the_next_start(prefix, build, tmp_path, driver):
    medium, target, holder, setup = start_with_the_program_in_use(prefix, build, tmp_path)
    # The last page asks for the restart; Cancel leaves it for later.
    driver.check(TYPICAL_TO_COPY_DELAY + r"""
click 7
wait-page 138 60000
expect-enabled 1027 0
click 2
""")
    assert exit_code_of(setup, 30) == RESTART_PENDING
    holder.kill()
    assert target.read_bytes() == b"old program"
    log = read_log(prefix)
    assert log["program"]["kmwin.exe"] == "0|0|1"
    if prefix.version == "win95":
        wininit = prefix.linux_path(r"C:\windows\wininit.ini").read_text()
        lines = wininit.splitlines()
        assert lines[0].lower() == "[rename]"
        assert "=" in lines[1]
    else:
        pending = prefix.registry("system").value(
            r"System\CurrentControlSet\Control\Session Manager", "PendingFileRenameOperations")
        assert "kmwin.exe" in str(pending).lower()




# Finish on the restart page restarts Windows: under Wine every program of the prefix ends and the
# replacements that waited for the next start are made.
@pytest.mark.winver("nt40", "win95")
def test_finish_restarts_and_the_waiting_file_takes_its_place(prefix, build, tmp_path, driver):
    medium, target, holder, setup = start_with_the_program_in_use(prefix, build, tmp_path)
    driver.check(TYPICAL_TO_COPY_DELAY + "click 7\nwait-page 138 60000\nclick 1\n")
    assert setup.wait(30) == 0
    holder.wait(30)
    # The restart's own start-up work (the renames) goes on a moment after the programs have ended.
    deadline = time.monotonic() + 20
    while target.read_bytes() != medium.files["kmwin.exe"][2] and time.monotonic() < deadline:
        time.sleep(0.2)
    assert target.read_bytes() == medium.files["kmwin.exe"][2]


@pytest.mark.winver("nt40")
def test_cancel_during_copying_answered_no_goes_on(prefix, build, tmp_path, driver):
    medium = Medium(tmp_path / "medium", build.exe("setup.exe"), store=True)
    prefix.map_drive("d", medium.setup_dir)
    prefix.start(r"D:\setup.exe", timeout=120)
    result = driver.check(TO_COPYING + r"""
answer * no
wait-page 115 60000
click 1
""")
    assert "Do you really want to exit Setup?" in result.find("answer")[0].values[1]
    for name, (group, _, data) in medium.files.items():
        if group in TYPICAL_GROUPS:
            assert installed(prefix, medium, name).read_bytes() == data, name


@pytest.mark.winver("win95")
def test_cancel_during_copying_answered_yes_ends_with_a_usable_log(prefix, build, tmp_path, driver):
    medium = Medium(tmp_path / "medium", build.exe("setup.exe"), store=True)
    prefix.map_drive("d", medium.setup_dir)
    prefix.start(r"D:\setup.exe", timeout=120)
    driver.check(TO_COPYING + r"""
answer * yes
wait-page 116 60000
click 1
""")
    log = read_log(prefix)
    assert {"destinations", "groups", "targets"} <= set(log)
    assert "0|Kalmora|" not in log["destinations"].get("0", "")
    # Nothing of the later sources was copied, and no temporary file was left.
    assert not installed(prefix, medium, "letter.kmd").exists()
    product = prefix.linux_path(PRODUCT)
    names = [p.name for p in product.rglob("*") if p.is_file()] if product.exists() else []
    assert all(name in medium.files or name == "unsetup.exe" for name in names), names


@pytest.mark.winver("win95")
def test_damaged_archive_is_reported_and_copying_goes_on(prefix, build, tmp_path, driver):
    medium = Medium(tmp_path / "medium", build.exe("setup.exe"))
    archive = medium.setup_dir / "art.mf1"
    data = bytearray(archive.read_bytes())
    data[8 + 346 + 40] ^= 0x55  # inside the first entry's packed data
    archive.write_bytes(bytes(data))
    prefix.map_drive("d", medium.setup_dir)
    prefix.start(r"D:\setup.exe", timeout=120)
    result = driver.check(TYPICAL_TO_COPY_DELAY + r"""
click 7
wait-window Warning 60000
text 141
text 140
text 1
text 2
click 1
wait-page 115 60000
click 1
""")
    texts = [line.text for line in result.find("text")]
    assert texts[0] == "Cannot install files from 'art.mf1':"
    assert texts[1].startswith("Archive file damaged")
    assert texts[2:] == ["Continue Operation", "Cancel Operation"]
    # The next sources were installed; no temporary file remains.
    assert installed(prefix, medium, "letter.kmd").read_bytes() == medium.files["letter.kmd"][2]
    art = prefix.linux_path(PRODUCT + r"\Art")
    assert not art.exists() or [p.name for p in art.iterdir()] in ([], ["castle.pcx"])


@pytest.mark.winver("win95")
def test_diskette_set_prompts_for_the_next_diskette_in_the_middle_of_an_entry(prefix, build, tmp_path, driver):
    medium = Medium(tmp_path / "medium", build.exe("setup.exe"), layout="diskettes", store=True)
    assert (medium.root / "disk2" / "progra.mf2").is_file()
    prefix.map_drive("a", medium.folder_of(1))
    prefix.start(r"A:\setup.exe", timeout=120)
    result = driver.check(TYPICAL_TO_COPY_DELAY + r"""
click 7
wait-window "Insert Diskette" 60000
text 1026
click 1
sleep 700
wait-window "Insert Diskette" 0
""")
    assert result.find("text")[0].text == "Please insert the diskette labelled 'Diskette 2' in drive A:"
    # The diskettes are only a little larger than Setup: how many the product needs follows its size.
    for disk in range(2, medium.diskette_count() + 1):
        prompt = driver.check('wait-window "Insert Diskette" 60000\ntext 1026\n').find("text")[0].text
        assert prompt == f"Please insert the diskette labelled 'Diskette {disk}' in drive A:"
        prefix.map_drive("a", medium.folder_of(disk))
        accept_diskette(driver, prompt)
    driver.check("wait-page 115 60000\nclick 1\n")
    for name, (group, _, data) in medium.files.items():
        if group in TYPICAL_GROUPS:
            path = installed(prefix, medium, name)
            deadline = time.time() + 30
            while not path.exists() and time.time() < deadline:
                time.sleep(0.3)
            assert path.read_bytes() == data, name


def medium_with_extra_program_files(build, tmp_path, files: dict):
    """The flat medium whose "program" archive begins with the given files {name: Linux path}."""
    groups = with_product_programs(GROUPS, build.bin)
    caption, description, minimal, typical, custom, destination, program = groups["program"]
    groups["program"] = (caption, description, minimal, typical, custom, destination, dict(files, **program))
    return Medium(tmp_path / "medium", build.exe("setup.exe"), groups=groups)


@pytest.mark.winver("nt40")
def test_version_resources_decide_over_dates(prefix, build, tmp_path):
    older, newer = build.exe("paths_version_a.dll"), build.exe("paths_version_b.dll")  # 1.2.3.4, 2.0.10.300
    medium = medium_with_extra_program_files(build, tmp_path, {"keep.dll": older, "take.dll": newer})
    prefix.map_drive("d", medium.setup_dir)
    keep = prefix.linux_path(PRODUCT + r"\keep.dll")
    take = prefix.linux_path(PRODUCT + r"\take.dll")
    keep.parent.mkdir(parents=True, exist_ok=True)
    keep.write_bytes(newer.read_bytes())
    take.write_bytes(older.read_bytes())
    ancient = 315532800
    os.utime(keep, (ancient, ancient))  # a date says nothing when both have versions
    assert prefix.start(r"D:\setup.exe", "/B", timeout=120).wait() == 0
    assert keep.read_bytes() == newer.read_bytes()
    assert take.read_bytes() == newer.read_bytes()
    log = read_log(prefix)
    assert log["program"]["keep.dll"] == "0|0|0"
    assert log["program"]["take.dll"] == "0|1|1"


@pytest.mark.winver("win95", "nt40")
def test_runtime_dlls_stay_out_of_the_log_on_windows_95(prefix, build, tmp_path):
    medium = medium_with_extra_program_files(build, tmp_path, {"MFC30.DLL": build.exe("paths_version_a.dll")})
    prefix.map_drive("d", medium.setup_dir)
    assert prefix.start(r"D:\setup.exe", "/B", timeout=120).wait() == 0
    assert prefix.linux_path(PRODUCT + r"\MFC30.DLL").is_file()
    logged = "MFC30.DLL" in read_log(prefix)["program"]
    assert logged == (prefix.version != "win95")


# A file whose name the log could not give back ("=" in it, or "[", ";" or a blank in front) would
# be left behind by Unsetup, or another file taken in its place: it is not installed, and the run
# says that something was skipped.
@pytest.mark.winver("nt40")
def test_a_file_the_log_cannot_name_is_refused(prefix, build, tmp_path):
    groups = with_product_programs(GROUPS, build.bin)
    caption, description, minimal, typical, custom, destination, samples = groups["samples"]
    groups["samples"] = (caption, description, minimal, typical, custom, destination,
                         dict(samples, **{"notes~draft.kmd": 700}))
    medium = Medium(tmp_path / "medium", build.exe("setup.exe"), groups=groups)
    # mkmedia refuses such a name; another vendor's tool might not: the entry's name is changed in
    # the archive (no checksum covers it).
    archive = medium.setup_dir / "sample.mf1"
    packed = archive.read_bytes()
    assert packed.count(b"notes~draft.kmd") == 1
    archive.write_bytes(packed.replace(b"notes~draft.kmd", b"notes=draft.kmd"))
    medium.files["notes=draft.kmd"] = medium.files.pop("notes~draft.kmd")
    prefix.map_drive("d", medium.setup_dir)
    assert exit_code_of(start_watched(prefix, build, r"D:\setup.exe", "/B")) == WITH_ERRORS
    assert installed(prefix, medium, "poster.kmd").read_bytes() == medium.files["poster.kmd"][2]
    assert not installed(prefix, medium, "notes=draft.kmd").exists()
    assert sorted(read_log(prefix)["samples"]) == ["letter.kmd", "poster.kmd"]


# A folder where a file of the product should go: the file cannot take its place, and the run says
# so instead of counting it as installed; its temporary copy goes, and the other files come.
@pytest.mark.winver("nt40")
def test_a_folder_in_the_place_of_a_file_is_an_error_not_an_installed_file(prefix, build, tmp_path):
    medium = Medium(tmp_path / "medium", build.exe("setup.exe"))
    prefix.map_drive("d", medium.setup_dir)
    blocked = installed(prefix, medium, "letter.kmd")
    (blocked / "drafts").mkdir(parents=True)
    assert exit_code_of(start_watched(prefix, build, r"D:\setup.exe", "/B")) == WITH_ERRORS
    assert blocked.is_dir() and (blocked / "drafts").is_dir()
    assert installed(prefix, medium, "kmwin.exe").read_bytes() == medium.files["kmwin.exe"][2]
    assert not [p.name for p in blocked.parent.iterdir() if re.fullmatch(r"[0-9a-f]{8}\.kmd", p.name)]
    assert read_log(prefix)["samples"].get("letter.kmd") != "1|1|0"
