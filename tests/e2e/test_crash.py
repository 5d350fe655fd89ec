"""Setup ended at any moment, every process of its prefix at once, as a power cut or a crash would
end it: afterwards Unsetup started from the medium, and separately a second Setup followed by the
installed Unsetup, leave the machine as it was before. The moments are taken from the run's own
progress: its journal of the uninstall log, and its temporary copy of a large file growing. A disk
that fills up during the copy is the same kind of end, with Setup still there to tidy up."""

import os
import re
import time

import pytest

from exitcodes import WITH_ERRORS, exit_code_of, start_watched
from harness import SmallDisk, WinePrefix
from installed import read_log, snapshot
from medium import DESTINATIONS
from test_unsetup import GROUPS, PRODUCT, UNSETUP, assert_as_before, product_medium, wait_for_self_removal

ALBUM = "kmalbum.dat"
ALBUM_SIZE = 24 * 1024 * 1024
JOURNAL = r"C:\windows\kmwin4.jnl"


def journal_has(prefix, line_start: str) -> bool:
    journal = prefix.linux_path(JOURNAL)
    try:
        return any(line.startswith(line_start) for line in journal.read_text(errors="replace").splitlines())
    except FileNotFoundError:
        return False


def album_copy_half_written(prefix, folder: str = PRODUCT) -> bool:
    """The album's temporary copy (eight hexadecimal digits and its extension) a third to two
    thirds written."""
    product = prefix.linux_path(folder)
    if not product.exists():
        return False
    for path in product.iterdir():
        if re.fullmatch(r"[0-9a-f]{8}\.dat", path.name):
            try:
                if ALBUM_SIZE // 3 <= path.stat().st_size <= 2 * ALBUM_SIZE // 3:
                    return True
            except FileNotFoundError:
                pass
    return False


# Each moment: what the run's progress shows when it is reached.
MOMENTS = {
    "record written": lambda prefix: journal_has(prefix, "+\tgroups\t"),
    "copying the album": album_copy_half_written,
    "album copied": lambda prefix: journal_has(prefix, f"+\tprogram\t{ALBUM}\t0|1|0"),
    "registry entries": lambda prefix: journal_has(prefix, "+\tRegistry\t"),
}


def end_setup_at(prefix, moment) -> None:
    setup = prefix.start(r"D:\setup.exe", "/B", timeout=120)
    deadline = time.monotonic() + 90
    while not moment(prefix):
        assert setup.running(), "Setup ended before the moment came"
        assert time.monotonic() < deadline, "the moment never came"
        time.sleep(0.005)
    # Every process of the prefix at once: nothing of Setup gets to tidy up.
    prefix.stop_server()
    setup.wait(30)


@pytest.mark.winver("nt40")
@pytest.mark.parametrize("moment", list(MOMENTS))
def test_setup_ended_at_any_moment_leaves_a_machine_that_unsetup_cleans(prefix, build, tmp_path, moment):
    album = tmp_path / ALBUM
    album.write_bytes(os.urandom(ALBUM_SIZE))
    caption, description, minimal, typical, custom, destination, files = GROUPS["program"]
    groups = dict(GROUPS, program=(caption, description, minimal, typical, custom, destination,
                                   dict(files, **{ALBUM: album})))
    product_medium(prefix, build, tmp_path, groups=groups, store=True)
    before = snapshot(prefix)
    end_setup_at(prefix, MOMENTS[moment])

    # A second Setup and its Unsetup, in a copy of the machine as the end left it.
    with WinePrefix.create(prefix.version, name=f"rerun-{moment}", template=prefix.path) as rerun:
        assert rerun.run(r"D:\setup.exe", "/B", timeout=120).exit_code == 0
        assert rerun.run(UNSETUP, "/U", "/B", timeout=120).exit_code == 0
        wait_for_self_removal(rerun)
        assert_as_before(before, snapshot(rerun))

    # Unsetup started from the medium.
    assert prefix.run(r"D:\setup.exe", "/U", "/B", timeout=120).exit_code == 0
    assert_as_before(before, snapshot(prefix))


@pytest.mark.winver("nt40")
def test_a_disk_that_fills_up_while_copying_keeps_no_half_file_and_unsetup_cleans(prefix, build, tmp_path):
    album = tmp_path / ALBUM
    album.write_bytes(os.urandom(ALBUM_SIZE))
    caption, description, minimal, typical, custom, destination, files = GROUPS["program"]
    groups = dict(GROUPS, program=(caption, description, minimal, typical, custom, destination,
                                   dict(files, **{ALBUM: album})))
    with SmallDisk(tmp_path / "e-drive", "40m") as disk:
        prefix.map_drive("e", disk.path)
        try:
            fill_the_disk_while_copying(prefix, build, tmp_path, disk, groups)
        finally:
            prefix.stop_server()  # the disk is busy while the prefix's programs hold it


def fill_the_disk_while_copying(prefix, build, tmp_path, disk, groups) -> None:
    product_medium(prefix, build, tmp_path, groups=groups, store=True,
                   destinations={**DESTINATIONS, 0: ("Kalmora", -1, r"E:\KALMORA")})
    before = snapshot(prefix)
    setup = start_watched(prefix, build, r"D:\setup.exe", "/B")
    deadline = time.monotonic() + 90
    while not album_copy_half_written(prefix, r"E:\KALMORA"):
        assert setup.running() and time.monotonic() < deadline, "the album's copy never got under way"
        time.sleep(0.005)
    disk.fill()  # another program takes the rest of the disk

    assert exit_code_of(setup, 120) == WITH_ERRORS
    product = prefix.linux_path(r"E:\KALMORA")
    assert not (product / ALBUM).exists()
    assert not [p.name for p in product.iterdir() if re.fullmatch(r"[0-9a-f]{8}\.\w+", p.name)]
    log = read_log(prefix)
    assert log["destinations"] and not log.get("Temporary")

    (disk.path / "filler.bin").unlink()  # the user makes room, and takes the product away
    assert prefix.run(r"D:\setup.exe", "/U", "/B", timeout=120).exit_code == 0
    assert not product.exists()
    assert_as_before(before, snapshot(prefix))
