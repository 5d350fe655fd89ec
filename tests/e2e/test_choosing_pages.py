"""The pages where the user decides: licence, destination directory, setup type, custom options,
program folder, and the error dialog of a broken manifest."""

import pytest

from harness import Diskette
from medium import LICENCE, Medium
from walks import CANCEL_TO_THE_END, TO_DESTINATION, TO_LICENCE, TO_SETUP_TYPE

SETUP = r"D:\setup.exe"



@pytest.fixture
def medium(prefix, build, tmp_path):
    made = Medium(tmp_path / "medium", build.exe("setup.exe"))
    prefix.map_drive("d", made.setup_dir)
    return made


@pytest.mark.winver("win95")
def test_licence_directory_rules_and_typical(prefix, medium, driver):
    prefix.start(SETUP, timeout=90)
    result = driver.check(TO_LICENCE + r"""
text 1016
click 1
wait-page 104
expect-text 1001 C:\KALMORA
set 1001 C:\Kal*mora
click 1
answer * ok
wait-page 104 0
set 1001 C:Kalmora
click 1
answer * ok
set 1001 C:\a:b
click 1
answer * ok
set 1001 C:\Kalmora 4
click 1
wait-page 125
expect-text 1034 Space Required: 12MB
expect-text 1032 Space Required: 33MB
expect-text 1033 Space Required: 45MB
click 1020
wait-page 106
""" + CANCEL_TO_THE_END)
    assert result.find("text")[0].text.encode() == LICENCE
    messages = [line.values[1] for line in result.find("answer")[:3]]
    assert messages == [
        "Invalid Path:\nSorry, but the path cannot contain the '*' character.",
        "Invalid Path:\nYou must specify a drive. Type it in the form \"C:\\\", or click Browse or Drive "
        "Space to select one.",
        "Invalid Path:\nSorry, but the ':' character can only be used as a drive delimiter.",
    ]


@pytest.mark.winver("nt40")
def test_custom_list_figures_and_unticking_program_skips_program_folder(prefix, medium, driver):
    prefix.start(SETUP, timeout=90)
    result = driver.check(TO_SETUP_TYPE + r"""
click 1021
wait-page 127
items 1018
text 1043
text 1044
select 1018 Clip Art
expect-text 1032 Pictures for your documents
select-index 1018 2
double-click-item 1018 2
wait-contains 1043 " 1MB"
text 1043
click 1
wait-page 152
text 1045
click 1027
wait-page 106
""" + CANCEL_TO_THE_END)
    assert result.find("items")[0].strings == [
        "Clip Art", "Backgrounds", "Kalmora 4.0 Program Files", "Sample Documents"]
    assert result.find("text")[0].text == "Space Required:\t 45MB"
    assert result.find("text")[1].text.startswith("Space Available:\t ")
    # Without the program, the rest of the medium is far below one megabyte: shown as 1 MB.
    assert result.find("text")[2].text == "Space Required:\t 1MB"
    summary = result.find("text")[3].text
    assert summary.startswith("Setup Type:\r\n\tCustom\r\n")
    assert "Pictures for your documents" in summary and "\t\tprogram" not in summary


@pytest.mark.winver("win95")
def test_short_drive_leads_to_not_enough_space_and_its_ways_out(prefix, medium, driver, tmp_path):
    # A drive of a diskette's size is far too small for any setup type.
    small = tmp_path / "small"
    small.mkdir()
    with Diskette(small):
        prefix.map_drive("e", small)
        prefix.start(SETUP, timeout=90)
        driver.check(TO_DESTINATION + r"""
set 1001 E:\KALMORA
click 1
wait-page 125
click 1020
wait-page 150
click 1038
wait-page 125
wait-page-gone 150
click 1019
wait-page 150
click 1
wait-page 106
click 1027
wait-page 125
click 1020
wait-page 150
click 1037
wait-page 104
wait-page-gone 150
set 1001 C:\KALMORA
click 1
wait-page 125
click 1020
wait-page 106
""" + CANCEL_TO_THE_END)


@pytest.mark.winver("nt40")
def test_manifest_without_destinations_shows_the_profile_error(prefix, medium, driver):
    text = (medium.setup_dir / "setup.ini").read_text().replace("[destinations]", "[nothing]")
    medium.write_manifest(text)
    setup = prefix.start(SETUP, timeout=90)
    result = driver.check(r"""
wait-window Warning 20000
expect-text 140 Incomplete or missing profile.
expect-text 141 Setup cannot continue
text 144
text 119
click 119
wait-text 119 &More<<
text 119
text 152
click 1
""")
    assert result.find("text")[0].text.startswith("9.0 (CInstallProfileException)")
    assert result.find("text")[1].text == "&More>>"
    assert result.find("text")[2].text == "&More<<"
    assert result.find("text")[3].text
    setup.kill()


@pytest.mark.winver("nt40")
def test_browse_and_drive_space_dialogs(prefix, medium, driver):
    prefix.start(SETUP, timeout=90)
    result = driver.check(TO_DESTINATION + r"""
click 4
wait-window Open 10000
set 1003 NewSub
wait-text 1001 C:\NewSub
text 1001
click 1
wait-window-gone Open 10000
wait-page 104 0
wait-text 1001 C:\NewSub
text 1001
click 1041
wait-window "Available Drive Space" 10000
items 1017
text 1043
text 1044
click 1
wait-window-gone "Available Drive Space" 10000
wait-page 104 0
text 1001
""" + CANCEL_TO_THE_END)
    texts = [line.text for line in result.find("text")]
    assert texts[0] == "C:\\NewSub"
    assert texts[1] == "C:\\NewSub"
    drives = result.find("items")[0].strings
    assert "C:" in drives
    assert texts[2] == "Space Required: 45MB"
    assert texts[3].startswith("Space Available: ")
    assert texts[4] == "C:\\NewSub"
