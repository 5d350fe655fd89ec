"""The test bed itself: the UI driver walks the driver's test program (a frame window with wizard
pages as child dialogs and a Yes/No question), on every Windows version, and reports failures
clearly and quickly."""

import os
import time

import pytest

from harness import Diskette, ReadOnlyCd, read_bmp, read_png

TEST_GUI = "uidriver_testgui.exe"
EXIT_CANCELLED = 3
PLATFORMS = {"win95": "Platform 1 4.0", "nt40": "Platform 2 4.0", "nt351": "Platform 2 3.51"}

WALK = r"""
wait-page 201 15000
expect-text 1001 C:\Test
expect-text 1022 {platform}
set 1001 C:\new dir\Kalmora
items 1010
items 1011
select 1010 Help files
select-index 1011 2
click 1012
expect-enabled 1013 0
click 1
wait-page 202
wait-page-gone 201 3000
text 1021
click 2
answer "Driver Test" no
wait-page 202 0
click 2
answer * yes
wait-page 209
screenshot C:\shot.bmp
"""


def assert_gradient(image, where):
    """The test program's frame: blue at the top running to black at the bottom."""
    top = image.pixel(8, 40)
    bottom = image.pixel(8, image.height - 8)
    assert top[2] > 200 and top[0] < 40 and top[1] < 40, f"{where}: top pixel {top}"
    assert max(bottom) < 40, f"{where}: bottom pixel {bottom}"


def test_driver_walks_pages_and_answers_the_question(prefix, driver, build, artifacts):
    gui = prefix.start(build.exe(TEST_GUI), timeout=30)
    result = driver.check(WALK.format(platform=PLATFORMS[prefix.version]))

    assert result.find("items")[0].strings == ["Program files", "Help files", "Samples"]
    assert result.find("items")[1].strings == ["Small", "Medium", "Large"]
    assert result.find("text")[0].text == "Folder: C:\\new dir\\Kalmora\nItem: Help files\nSize: Large\nAgreed: yes"
    assert [line.values for line in result.find("answer")] == [
        ["Driver Test", "Do you really want to stop?", "no"],
        ["Driver Test", "Do you really want to stop?", "yes"]]

    shot = read_bmp(prefix.linux_path(r"C:\shot.bmp"))
    assert (shot.width, shot.height) == (1024, 768)
    assert_gradient(shot, "GDI screenshot")
    assert_gradient(read_png(prefix.screenshot(artifacts / f"page209-{prefix.version}.png")), "import screenshot")

    driver.check(["wait-page 209", "click 1"])
    assert gui.wait(10) == EXIT_CANCELLED
    assert prefix.registry("user").value(r"Software\Wine", "Version") == prefix.version


@pytest.mark.winver("win95")
def test_failures_are_reported_without_waiting(prefix, driver, build, tmp_path):
    bad = driver.run(["sleep 10", "click", "frobnicate 3", 'wait-window "Unclosed'])
    assert bad.exit_code == 2
    assert [line.raw for line in bad.lines] == [
        "fail click line 2: wrong number of arguments",
        "fail frobnicate line 3: unknown command",
        "fail wait-window line 4: unclosed quote"]

    gui = prefix.start(build.exe(TEST_GUI), timeout=30)
    started = time.monotonic()
    result = driver.run(["wait-page 201 15000", "expect-text 1001 D:\\Other", "wait-page 999 300", "click 1"])
    assert time.monotonic() - started < 10
    assert result.exit_code == 1
    assert [line.status for line in result.lines] == ["ok", "fail", "skip", "skip"]
    assert result[1].values == ["1001", "C:\\Test", "expected", "D:\\Other"]

    kept = driver.run(["wait-page 201", "wait-page 999 300", "click 1013", "click 2", "answer * yes",
                       "wait-page 209", "click 1"], keep_going=True)
    assert [line.status for line in kept.lines] == ["ok", "fail", "fail", "ok", "ok", "ok", "ok"]
    assert kept[1].raw.startswith("fail wait-page 999 timed out; pages shown: 201")
    assert kept[2].raw == "fail click 1013 disabled"
    assert gui.wait(10) == EXIT_CANCELLED
    check_prefix_helpers(prefix, tmp_path)


def check_prefix_helpers(prefix, tmp_path):
    """Drives, files and the registry of a prefix (run inside another test: a prefix costs seconds)."""
    floppy = tmp_path / "floppy"
    floppy.mkdir()
    prefix.map_drive("a", floppy)
    prefix.place(r"A:\setup\ov_setup.ini", b"[interface]\r\n")
    assert (floppy / "setup" / "ov_setup.ini").read_bytes() == b"[interface]\r\n"

    prefix.reg_add(r"HKCU\Software\KalmoraTest", "Path", r"C:\new")
    prefix.reg_add(r"HKCU\Software\KalmoraTest", "Count", 42)
    assert prefix.reg_query(r"HKCU\Software\KalmoraTest", "Path") == r"C:\new"
    assert prefix.reg_query(r"HKCU\Software\KalmoraTest") == {
        "Path": ("REG_SZ", r"C:\new"), "Count": ("REG_DWORD", 42)}
    assert prefix.reg_query(r"HKCU\Software\KalmoraTest", "Missing") is None

    user = prefix.registry("user")
    assert user.key(r"Software\KalmoraTest") == {"Path": ("REG_SZ", r"C:\new"), "Count": ("REG_DWORD", 42)}
    assert user.value(r"Software\Wine\X11 Driver", "Managed") == "N"
    system = prefix.registry("system")
    assert system.value(r"Software\Wine\Drives", "a:") == "floppy"
    assert system.value(r"Software\Wine\Drives", "d:") == "cdrom"

    check_media(prefix, tmp_path)


def check_media(prefix, tmp_path):
    """A 1.44 MB diskette on a: and a read-only CD-ROM on d: (mounting needs root)."""
    if os.geteuid() != 0:
        return
    source = tmp_path / "cd-source"
    source.mkdir()
    (source / "setup.ini").write_text("[groups]\n")
    with Diskette(tmp_path / "diskette", label="DISK1") as diskette, \
            ReadOnlyCd(source, tmp_path / "cdrom") as cdrom:
        prefix.map_drive("a", diskette.path)
        prefix.map_drive("d", cdrom.path)
        stats = os.statvfs(diskette.path)
        assert stats.f_blocks * stats.f_frsize == 1440 * 1024
        prefix.place(r"A:\data.bin", bytes(5000))
        written = prefix.run("cmd", "/c", r"echo x > D:\new.txt")
        assert "Access denied" in written.errors()
        assert not (source / "new.txt").exists()
    assert not os.path.ismount(tmp_path / "diskette")
