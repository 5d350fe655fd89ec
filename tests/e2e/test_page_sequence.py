"""Setup's page sequence as a user meets it: unattended runs to the end, Cancel, Back, the
in-place sequence, Unsetup's pages, and the main window's look."""

import pytest

from exitcodes import NOT_COMPLETED, exit_code_of, start_watched
from harness import read_bmp
from medium import Medium
from walks import CANCEL_TO_THE_END

SETUP = r"D:\setup.exe"


@pytest.fixture
def medium(prefix, build, tmp_path):
    made = Medium(tmp_path / "medium", build.exe("setup.exe"))
    prefix.map_drive("d", made.setup_dir)
    return made


def test_unattended_setup_walks_to_the_end(prefix, medium):
    setup = prefix.start(SETUP, "/B", timeout=90)
    assert setup.wait() == 0
    log = prefix.linux_path(r"C:\windows\kmwin4.log").read_text()
    assert "[destinations]" in log and "[groups]" in log


def test_unattended_unsetup_walks_to_the_end(prefix, medium):
    unsetup = prefix.start(SETUP, "/U", "/B", timeout=90)
    assert unsetup.wait() == 0


@pytest.mark.winver("nt40")
def test_cancel_answered_no_stays_and_yes_ends_on_not_installed(prefix, build, medium, driver):
    setup = start_watched(prefix, build, SETUP, timeout=90)
    result = driver.check(r"""
wait-page 102 20000
click 2
answer * no
wait-page 102 0
click 1
wait-page 128
click 2
answer * yes
wait-page 116
expect-enabled 1 1
click 1
""")
    question = result.find("answer")[0].values[1]
    assert question == "Kalmora 4.0  installation not complete. Do you really want to exit Setup?"
    assert exit_code_of(setup, 20) == NOT_COMPLETED


@pytest.mark.winver("win95")
def test_back_from_program_folder_leads_to_setup_type_even_after_custom(prefix, medium, driver):
    prefix.start(SETUP, timeout=90)
    driver.check(r"""
wait-page 102 20000
click 1
wait-page 128
click 1
wait-page 104
click 1
wait-page 125
click 1021
wait-page 127
click 1
wait-page 106
click 1027
wait-page 125
click 1027
wait-page 104
click 1027
wait-page 128
click 1027
wait-page 102
""" + CANCEL_TO_THE_END)


@pytest.mark.winver("nt351")
def test_in_place_sequence(prefix, medium, driver):
    setup = prefix.start(SETUP, "/N", timeout=90)
    driver.check(r"""
wait-page 102 20000
click 1
wait-page 106
expect-text 1006 Orvane
click 1
wait-window "Stacker Settings" 20000
click 7
wait-page 115 30000
expect-enabled 1027 0
expect-enabled 2 0
click 1
""")
    assert setup.wait(20) == 0


@pytest.mark.winver("win95")
def test_unsetup_start_cancel_keeps_files_and_ends_on_not_uninstalled(prefix, build, medium, driver):
    unsetup = start_watched(prefix, build, SETUP, "/U", timeout=90)
    result = driver.check(r"""
wait-page 1545 20000
click 2
answer * yes
wait-page 179
click 1
""")
    assert result.find("answer")[0].values[1] == (
        "Kalmora 4.0  Uninstallation not complete. Do you really want to exit Unsetup?")
    assert exit_code_of(unsetup, 20) == NOT_COMPLETED


@pytest.mark.winver("nt40")
def test_main_window_shows_the_gradient_and_the_title(prefix, medium, driver, artifacts):
    prefix.start(SETUP, timeout=90)
    driver.check(r"""
wait-page 102 20000
screenshot C:\main.bmp
""" + CANCEL_TO_THE_END)
    shot = read_bmp(prefix.linux_path(r"C:\main.bmp"))
    top = shot.pixel(shot.width - 4, 2)
    middle = shot.pixel(shot.width - 4, shot.height // 2)
    bottom = shot.pixel(shot.width - 4, shot.height - 2)
    assert top[0] < 16 and top[1] < 16 and top[2] > 240, top
    assert 100 < middle[2] < 160 and middle[0] < 16, middle
    assert max(bottom) < 16, bottom
    # The title: white letters with a black shadow in the top-left corner.
    corner = [shot.pixel(x, y) for x in range(0, 400) for y in range(0, 70)]
    assert any(min(p) > 240 for p in corner), "no white title pixels"
    assert any(max(p) < 30 for p in corner), "no shadow pixels"
