"""The install profile "ov_setup.ini" beside setup.exe, read at start-up: its settings reach the
pages."""

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
    medium = Medium(tmp_path / "medium", build.exe("setup.exe"))
    if profile:
        (medium.setup_dir / "ov_setup.ini").write_text(profile, newline="")
    prefix.map_drive("d", medium.setup_dir)
    setup = prefix.start(r"D:\setup.exe", timeout=120)
    driver.check(TYPICAL_TO_COPY_DELAY + f"expect-text 1036 {delay}\nclick 7\n"
                 "wait-page 108\n" + "wait-page 115 60000\nclick 1\n")
    assert setup.wait() == 0
