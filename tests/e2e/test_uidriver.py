"""The test bed itself: the UI driver walks the driver's test program (a frame window with wizard
pages as child dialogs and a Yes/No question), on every Windows version, and reports failures
clearly and quickly."""

import os
import time

import pytest

from harness import Diskette, Image, ReadOnlyCd, RegistryFile, parse_reg_query, read_bmp, read_png, write_png
from harness.driver import DriverLine
from harness.wineenv import base_environment, wine_arch, wine_loader

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
wait-contains 1021 Agreed: yes
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
    result = driver.run(["wait-page 201 15000", "timeout 300", "wait-text 1001 D:\\Other", "wait-page 999", "click 1"])
    assert time.monotonic() - started < 10
    assert result.exit_code == 1
    assert [line.status for line in result.lines] == ["ok", "ok", "fail", "skip", "skip"]
    assert result[2].values == ["1001", "C:\\Test", "timed", "out", "waiting", "for", "D:\\Other"]

    mismatch = driver.run(["wait-page 201", r"expect-text 1001 D:\Other"])
    assert mismatch[1].values == ["1001", "C:\\Test", "expected", "D:\\Other"]

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


# The harness' readers, on golden data in the formats Wine and the driver write (no prefix needed).

REGISTRY_FILE = (
    'WINE REGISTRY Version 2\n'
    ';; All keys relative to \\\\Machine\n'
    '\n'
    '#arch=win32\n'
    '\n'
    '[Software\\\\Kalmora\\\\Setup] 1796775277\n'
    '#time=1dd877246df592a\n'
    '@="default"\n'
    '"Path"="C:\\\\Program Files\\\\Kalmora"\n'
    '"Quote"="say \\"hi\\"\\n"\n'
    '"Count"=dword:0000002a\n'
    '"Expand"=str(2):"%WINDIR%\\\\kmwin4.log"\n'
    '"List"=str(7):"a.dll\\0b.dll\\0"\n'
    '"Wide"="K\\x00e4se"\n'
    '"Bytes"=hex:01,02,\\\n'
    '  03,ff\n'
    '"Typed"=hex(3):0a\n'
    '\n'
    '[Software\\\\Kalmora\\\\Setup\\\\Groups] 1796775277\n'
    '"Help"="1"\n')


def test_registry_file_reader(tmp_path):
    path = tmp_path / "system.reg"
    path.write_text(REGISTRY_FILE, encoding="latin-1")
    registry = RegistryFile(path)
    key = r"software\KALMORA\setup"
    rows = [("", "default"), ("Path", r"C:\Program Files\Kalmora"), ("quote", 'say "hi"\n'), ("Count", 42),
            ("Expand", r"%WINDIR%\kmwin4.log"), ("List", ["a.dll", "b.dll"]), ("Wide", "K\u00e4se"),
            ("Bytes", b"\x01\x02\x03\xff"), ("Typed", b"\x0a"), ("Missing", None)]
    for name, expected in rows:
        assert registry.value(key, name) == expected, name
    assert registry.key(key)["Expand"] == ("REG_EXPAND_SZ", r"%WINDIR%\kmwin4.log")
    assert registry.subkeys(r"Software\Kalmora\Setup") == ["Groups"]
    assert registry.value(r"Software\Kalmora\Setup\Groups", "Help") == "1"
    assert registry.key(r"Software\Nothing") is None


def test_reg_query_reader():
    output = ("\r\nHKEY_CURRENT_USER\\Software\\Kalmora\r\n    (Default)    REG_SZ    \r\n"
              "    Path    REG_SZ    C:\\new dir\r\n    Count    REG_DWORD    0x2a\r\n"
              "    List    REG_MULTI_SZ    a\\0b\r\n    Raw    REG_BINARY    01FF\r\n\r\n"
              "HKEY_CURRENT_USER\\Software\\Kalmora\\Sub\r\n")
    assert parse_reg_query(output) == {"": ("REG_SZ", ""), "Path": ("REG_SZ", "C:\\new dir"),
                                       "Count": ("REG_DWORD", 42), "List": ("REG_MULTI_SZ", ["a", "b"]),
                                       "Raw": ("REG_BINARY", b"\x01\xff")}


def test_driver_result_lines():
    rows = [
        (r'ok text 1001 "C:\\new\\table"', "ok", "text", ["1001", "C:\\new\\table"]),
        (r'ok text 1021 "a\r\nb\t\"q\"\x01"', "ok", "text", ["1021", 'a\r\nb\t"q"\x01']),
        (r'ok items 1010 2 "Help files" ""', "ok", "items", ["1010", "2", "Help files", ""]),
        ('fail wait-page 999 timed out; pages shown: 201', "fail", "wait-page",
         ["999", "timed", "out;", "pages", "shown:", "201"]),
        ("skip click", "skip", "click", []),
    ]
    for raw, status, verb, values in rows:
        line = DriverLine(raw)
        assert (line.status, line.verb, line.values) == (status, verb, values), raw


def test_images_round_trip(tmp_path):
    rows = [[(x * 40, y * 60, (x + y) * 20) for x in range(5)] for y in range(3)]
    png = write_png(Image(5, 3, rows), tmp_path / "t.png")
    assert read_png(png).rows == rows
    # A bottom-up 24-bit BMP of 2x2 pixels, rows padded to 8 bytes, as the driver writes it.
    pixels = bytes([0, 0, 255, 0, 255, 0, 0, 0]) + bytes([255, 0, 0, 255, 255, 255, 0, 0])
    header = b"BM" + (54 + 16).to_bytes(4, "little") + bytes(4) + (54).to_bytes(4, "little")
    info = (40).to_bytes(4, "little") + (2).to_bytes(4, "little") + (2).to_bytes(4, "little") + \
        (1).to_bytes(2, "little") + (24).to_bytes(2, "little") + bytes(24)
    (tmp_path / "t.bmp").write_bytes(header + info + pixels)
    image = read_bmp(tmp_path / "t.bmp")
    assert image.rows == [[(0, 0, 255), (255, 255, 255)], [(255, 0, 0), (0, 255, 0)]]


def test_the_tree_width_picks_wine(tmp_path, monkeypatch):
    """An x86_64 tree runs under 64-bit Wine in a win64 prefix, an i686 tree under 32-bit Wine:
    the PE header of the tree's setup.exe decides, and anything else is refused."""
    def tree_with_machine(name, machine):
        stub = bytearray(0x80 + 6)
        stub[:2] = b"MZ"
        stub[0x3C:0x40] = (0x80).to_bytes(4, "little")
        stub[0x80:0x84] = b"PE\0\0"
        stub[0x84:0x86] = machine.to_bytes(2, "little")
        (tmp_path / name / "bin").mkdir(parents=True)
        (tmp_path / name / "bin" / "setup.exe").write_bytes(bytes(stub))
        return tmp_path / name

    for name, machine, arch, loader in (("x64", 0x8664, "win64", "/usr/lib/wine/wine64"),
                                        ("x86", 0x014C, "win32", "/usr/lib/wine/wine")):
        monkeypatch.setenv("KALMORA_BUILD", str(tree_with_machine(name, machine)))
        assert (wine_arch(), wine_loader()) == (arch, loader)
        assert base_environment(tmp_path / "pfx")["WINEARCH"] == arch
    monkeypatch.setenv("KALMORA_BUILD", str(tree_with_machine("arm", 0xAA64)))
    with pytest.raises(ValueError):
        wine_loader()
