"""The record of a run that /L:<file> asks for, read as an administrator reads it after a rollout:
each installed file and registry key named once with its decision, the skipped source with its
error, the deferral of a file in use, the restart and the exit code; and /R, which leaves a needed
restart to whoever started the run."""

import re

import pytest

from exitcodes import COMPLETED, RESTART_PENDING, WITH_ERRORS, exit_code_of, start_watched
from installed import read_log
from medium import PRODUCT_PROFILE, Medium
from test_exit_codes import damage_first_entry
from test_install import start_with_the_program_in_use
from walks import TYPICAL_TO_COPY_DELAY

STAMP = re.compile(r"^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} ")


def record(prefix, path=r"C:\setup-run.txt") -> list:
    """The record's lines without their time stamps (each line must have one)."""
    lines = prefix.linux_path(path).read_text(errors="replace").splitlines()
    assert lines and all(STAMP.match(line) for line in lines), lines[:3]
    return [STAMP.sub("", line) for line in lines]


def lines_about(lines: list, prefix_text: str) -> list:
    return [line for line in lines if line.startswith(prefix_text)]


@pytest.mark.winver("nt40", "win95")
def test_an_unattended_install_and_its_unsetup_name_everything_once(prefix, build, tmp_path):
    medium = Medium(tmp_path / "medium", build.exe("setup.exe"), profile=PRODUCT_PROFILE)
    prefix.map_drive("d", medium.setup_dir)
    assert exit_code_of(start_watched(prefix, build, r"D:\setup.exe", "/B", r"/L:C:\setup-run.txt")) == COMPLETED
    lines = record(prefix)
    assert lines[0].startswith("Kalmora 4.0 Setup: Setup")
    assert ("Windows 95" in lines[1]) == (prefix.version == "win95")
    assert lines_about(lines, "command line: /B /L:C:\\setup-run.txt")
    installed = sorted(path for path in prefix.linux_path(r"C:\KALMORA").rglob("*") if path.is_file())
    assert installed
    for path in installed:
        windows = "C:\\" + str(path.relative_to(prefix.linux_path("C:\\"))).replace("/", "\\")
        assert lines_about(lines, f"file {windows}:") == [f"file {windows}: installed"], windows
    # Every key the log says Setup created is in the record once, created, and each value with
    # what it held before and what it holds now.
    for key in read_log(prefix)["Registry"]:
        assert lines.count(f"registry key {key}: created") == 1, key
    assert 'registry HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\Kalmora\\4.0 value "Version": (none) -> 400' in lines
    assert lines[-1] == "outcome: completed, exit code 0"

    unsetup = start_watched(prefix, build, r"C:\KALMORA\unsetup.exe", "/U", "/B", r"/L:C:\unsetup-run.txt")
    assert exit_code_of(unsetup, 60) == COMPLETED
    lines = record(prefix, r"C:\unsetup-run.txt")
    assert lines[0].startswith("Kalmora 4.0 Setup: Unsetup")
    for path in installed:
        windows = "C:\\" + str(path.relative_to(prefix.linux_path("C:\\"))).replace("/", "\\")
        said = lines_about(lines, f"file {windows}:")
        assert len(said) == 1 and said[0].split(": ", 1)[1] in ("removed", "goes with the uninstaller, once it has ended"), said
    assert "uninstall log: deleted" in lines
    assert lines[-1] == "outcome: completed, exit code 0"


@pytest.mark.winver("nt40")
def test_a_damaged_archive_is_recorded_with_its_error_and_the_code(prefix, build, tmp_path):
    medium = Medium(tmp_path / "medium", build.exe("setup.exe"))
    damage_first_entry(medium.setup_dir / "art.mf1")
    prefix.map_drive("d", medium.setup_dir)
    assert exit_code_of(start_watched(prefix, build, r"D:\setup.exe", "/B", r"/L:C:\setup-run.txt")) == WITH_ERRORS
    lines = record(prefix)
    # The error as its dialog would show it, with its code.
    assert "source art.mf1: Cannot install files from 'art.mf1': Archive file damaged (corrupt table). " \
           "[17.4 (CMultiFileException)]" in lines
    assert "source art.mf1: skipped after the error, the installation goes on" in lines
    assert not lines_about(lines, "file C:\\KALMORA\\Art\\")
    assert lines[-1] == "outcome: completed with errors, exit code 1604"


# Attended: the restart page's Cancel leaves the waiting file for later.
@pytest.mark.winver("nt40")
def test_a_file_in_use_is_recorded_as_deferred(prefix, build, tmp_path, driver):
    _, _, holder, setup = start_with_the_program_in_use(prefix, build, tmp_path, r"/L:C:\setup-run.txt")
    driver.check(TYPICAL_TO_COPY_DELAY + "click 7\nwait-page 138 60000\nclick 2\n")
    assert exit_code_of(setup, 30) == RESTART_PENDING
    holder.kill()
    lines = record(prefix)
    assert ("file C:\\KALMORA\\kmwin.exe: deferred: takes the place of the file in use at the next start "
            "of Windows") in lines
    assert "page 138" in lines and "restart: put off by the user" in lines
    assert lines[-1] == "outcome: completed, a restart of Windows to come, exit code 3010"


# Unattended, the restart page takes Finish, which restarts Windows; with /R it does not.
@pytest.mark.winver("nt40", "win95")
def test_the_restart_switch_leaves_the_restart_to_the_caller(prefix, build, tmp_path):
    _, target, holder, setup = start_with_the_program_in_use(prefix, build, tmp_path, "/B", "/R",
                                                             r"/L:C:\setup-run.txt")
    assert exit_code_of(setup, 60) == RESTART_PENDING
    assert holder.running()  # Windows did not restart: the other program still runs
    holder.kill()
    assert target.read_bytes() == b"old program"
    assert "restart: left to the caller (/R)" in record(prefix)


# A record that cannot be written never stops the installation.
@pytest.mark.winver("nt40")
def test_a_record_that_cannot_be_written_costs_the_run_nothing(prefix, build, tmp_path):
    medium = Medium(tmp_path / "medium", build.exe("setup.exe"))
    prefix.map_drive("d", medium.setup_dir)
    code = exit_code_of(start_watched(prefix, build, r"D:\setup.exe", "/B", r'/L:"C:\no such folder\run.txt"'))
    assert code == COMPLETED
    assert prefix.linux_path(r"C:\KALMORA\kmwin.exe").exists()
