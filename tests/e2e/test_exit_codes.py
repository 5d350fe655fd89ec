"""Unattended runs end by themselves, whatever happens, and the exit code says how a run ended:
0 completed, 3010 completed with a restart still to come, 1604 completed with a source skipped
after an error, 1603 not completed (the codes of Windows Installer)."""

import time

import pytest

from exitcodes import NOT_COMPLETED, WITH_ERRORS, exit_code_of, start_watched
from medium import Medium
from walks import TYPICAL_TO_COPY_DELAY

# An unattended run that ends later than this waits for somebody.
BOUNDED = 90


FIRST_ENTRY, ENTRY_HEADER, NAME_OFFSET, NAME_SIZE = 8, 346, 16, 260


def damage_first_entry(archive) -> None:
    data = bytearray(archive.read_bytes())
    data[FIRST_ENTRY + ENTRY_HEADER + 40] ^= 0x55  # inside the first entry's packed data
    archive.write_bytes(bytes(data))


def give_first_entry_a_hostile_name(archive) -> None:
    """The first entry's stored name becomes "..", the destination's parent (a name with a path
    is installed by its last component, so ".." is the name that could not be)."""
    data = bytearray(archive.read_bytes())
    start = FIRST_ENTRY + NAME_OFFSET
    data[start:start + NAME_SIZE] = b"..".ljust(NAME_SIZE, b"\0")
    archive.write_bytes(bytes(data))


def run_unattended(prefix, build, program, *args) -> int:
    start = time.monotonic()
    code = exit_code_of(start_watched(prefix, build, program, *args, timeout=BOUNDED))
    assert time.monotonic() - start < BOUNDED
    return code


# The copy loop's error dialog takes its default, Continue Operation: the other sources go in.
@pytest.mark.winver("nt40", "nt351")
@pytest.mark.parametrize("damage", [damage_first_entry, give_first_entry_a_hostile_name],
                         ids=["damaged", "hostile-name"])
def test_unattended_damaged_archive_is_skipped_and_reported_in_the_code(prefix, build, tmp_path, damage):
    medium = Medium(tmp_path / "medium", build.exe("setup.exe"))
    damage(medium.setup_dir / "art.mf1")
    prefix.map_drive("d", medium.setup_dir)
    assert run_unattended(prefix, build, r"D:\setup.exe", "/B") == WITH_ERRORS
    letter = prefix.linux_path(r"C:\KALMORA\Samples\letter.kmd")
    assert letter.read_bytes() == medium.files["letter.kmd"][2]


# The diskette prompt is answered Cancel when the next diskette is still not there.
@pytest.mark.winver("win95")
def test_unattended_missing_diskette_cancels(prefix, build, tmp_path):
    medium = Medium(tmp_path / "medium", build.exe("setup.exe"), layout="diskettes", store=True)
    prefix.map_drive("a", medium.folder_of(1))
    assert run_unattended(prefix, build, r"A:\setup.exe", "/B") == NOT_COMPLETED


# A fatal error (the licence file is missing) ends the run on the not-installed page, unreported.
@pytest.mark.winver("nt40")
def test_unattended_fatal_error_ends_the_run(prefix, build, tmp_path):
    medium = Medium(tmp_path / "medium", build.exe("setup.exe"))
    (medium.setup_dir / "agree.txt").unlink()
    prefix.map_drive("d", medium.setup_dir)
    assert run_unattended(prefix, build, r"D:\setup.exe", "/B") == NOT_COMPLETED
    assert not prefix.linux_path(r"C:\KALMORA").exists()


# Attended, the same fatal error is reported (the page it happened on stays); the run still counts
# as not completed when the user closes the program.
@pytest.mark.winver("nt40")
def test_attended_fatal_error_is_reported(prefix, build, tmp_path, driver, artifacts):
    medium = Medium(tmp_path / "medium", build.exe("setup.exe"))
    (medium.setup_dir / "agree.txt").unlink()
    prefix.map_drive("d", medium.setup_dir)
    setup = start_watched(prefix, build, r"D:\setup.exe")
    result = driver.check("wait-page 102 20000\nclick 1\nwait-window Warning 20000\ntext 141\n"
                          "sleep 300\nscreenshot C:\\fatal.bmp\nclick 1\n"
                          'wait-window "Kalmora 4.0 Setup" KalmoraSetup\nclose\n')
    assert result.find("text")[0].text == "Setup cannot continue"
    (artifacts / "fatal-error.bmp").write_bytes(prefix.linux_path(r"C:\fatal.bmp").read_bytes())
    assert exit_code_of(setup, 30) == NOT_COMPLETED


# Attended, a damaged archive still shows its dialog; Continue gives the same code.
@pytest.mark.winver("win95")
def test_attended_damaged_archive_shows_its_dialog(prefix, build, tmp_path, driver, artifacts):
    medium = Medium(tmp_path / "medium", build.exe("setup.exe"))
    damage_first_entry(medium.setup_dir / "art.mf1")
    prefix.map_drive("d", medium.setup_dir)
    setup = start_watched(prefix, build, r"D:\setup.exe")
    driver.check(TYPICAL_TO_COPY_DELAY + "click 7\nwait-window Warning 60000\nsleep 300\n"
                 "screenshot C:\\error.bmp\nclick 1\nwait-page 115 60000\nclick 1\n")
    (artifacts / "error-dialog.bmp").write_bytes(prefix.linux_path(r"C:\error.bmp").read_bytes())
    assert exit_code_of(setup, 30) == WITH_ERRORS
