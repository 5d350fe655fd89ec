"""The program icons that Setup makes after copying: shell links in the user's Start-menu folders on
Windows 95 and NT 4, Program Manager groups on NT 3.51; the program-folder page that names them."""

import time

import pytest

from harness.shelllink import read_link
from installed import read_log, shell_folder
from medium import GROUPS, TARGETS, Medium, with_product_programs
from walks import FOLDER_TO_THE_END, TO_SETUP_TYPE

SW_SHOWNORMAL, SW_SHOWMINIMIZED = 1, 2
# A second icon with everything a link can carry: arguments, a hot key (Ctrl+Alt+K), minimized.
HELP_TARGET = {"kmhelp.hlp": r'0|1611|1|Kalmora Help|/s "a b"||C:\KALMORA\kmhelp.hlp'}


def installed_medium(prefix, build, tmp_path, groups=GROUPS, targets=None) -> Medium:
    medium = Medium(tmp_path / "medium", build.exe("setup.exe"),
                    groups=with_product_programs(groups, build.bin, real_program=True), targets=targets)
    prefix.map_drive("d", medium.setup_dir)
    return medium


def install_unattended(prefix, *args) -> None:
    assert prefix.run(r"D:\setup.exe", "/B", *args, timeout=120).exit_code == 0


@pytest.mark.winver("win95", "nt40")
def test_shell_links_carry_every_field_of_their_targets(prefix, build, tmp_path, driver):
    installed_medium(prefix, build, tmp_path, targets=dict(TARGETS, **HELP_TARGET))
    install_unattended(prefix)
    driver.check('wait-window "Kalmora Scheduler" KMScheduler 10000')
    folder = shell_folder(prefix, "Programs") / "Orvane"
    assert sorted(p.name for p in folder.iterdir()) == ["Kalmora 4.lnk", "Kalmora Help.lnk"]

    program = read_link(folder / "Kalmora 4.lnk")
    assert (program.path, program.arguments, program.description) == (r"C:\KALMORA\kmwin.exe", "", "Kalmora 4.0")
    assert (program.working_directory, program.icon_location, program.icon_index) == (
        r"C:\KALMORA", r"C:\KALMORA\kmwin.ico", 0)
    assert (program.hot_key, program.show_command) == (0, SW_SHOWNORMAL)

    help_link = read_link(folder / "Kalmora Help.lnk")
    assert (help_link.path, help_link.arguments, help_link.icon_location) == (
        r"C:\KALMORA\kmhelp.hlp", '/s "a b"', "")
    assert (help_link.hot_key, help_link.show_command) == (1611, SW_SHOWMINIMIZED)

    scheduler = read_link(shell_folder(prefix, "StartUp") / "Kalmora Scheduler.lnk")
    assert (scheduler.path, scheduler.working_directory, scheduler.show_command) == (
        r"C:\KALMORA\kmsched.exe", r"C:\KALMORA", SW_SHOWMINIMIZED)
    assert read_log(prefix)["targets"]["kmhelp.hlp"] == r'0|1611|1|Kalmora Help|/s "a b"||C:\KALMORA\kmhelp.hlp'


# Program Manager makes the group, with an item that starts the uninstaller; Wine's shell keeps
# each group as a folder of links named after the items.
@pytest.mark.winver("nt351")
def test_program_manager_group_holds_the_program_and_the_uninstaller(prefix, build, tmp_path, driver):
    installed_medium(prefix, build, tmp_path)
    install_unattended(prefix)
    driver.check('wait-window "Kalmora Scheduler" KMScheduler 10000')
    programs = shell_folder(prefix, "Programs")
    group = programs / "Orvane"
    assert sorted(p.name for p in group.iterdir()) == ["Kalmora 4.0.lnk", "Uninstall Kalmora 4.0.lnk"]
    assert read_link(group / "Kalmora 4.0.lnk").path == r"C:\KALMORA\kmwin.exe"
    assert read_link(group / "Uninstall Kalmora 4.0.lnk").path == r"C:\KALMORA\unsetup.exe"
    assert read_link(shell_folder(prefix, "StartUp") / "Kalmora Scheduler.lnk").path == r"C:\KALMORA\kmsched.exe"
    # The uninstaller's item is made on the spot: the log's targets know only the product's programs.
    assert set(read_log(prefix)["targets"]) == {"kmwin.exe"}


# Without the program group nothing is integrated: the record is saved, and that is all.
@pytest.mark.winver("nt40")
def test_without_the_program_group_no_icon_is_made(prefix, build, tmp_path):
    groups = dict(GROUPS, program=GROUPS["program"][:3] + (0,) + GROUPS["program"][4:])
    installed_medium(prefix, build, tmp_path, groups=groups)
    install_unattended(prefix)
    log = read_log(prefix)
    assert {"destinations", "groups", "targets"} <= set(log)
    assert "program" not in log and "11" not in log["destinations"]
    assert not (shell_folder(prefix, "Programs") / "Orvane").exists()
    assert not (shell_folder(prefix, "StartUp") / "Kalmora Scheduler.lnk").exists()


# In place (/N) the program is where Setup found it: its icon points into the medium, and the
# entries for files the product makes later are not logged.
@pytest.mark.winver("win95")
def test_in_place_icons_point_at_the_medium(prefix, build, tmp_path, driver):
    medium = installed_medium(prefix, build, tmp_path)
    (medium.setup_dir / "kmwin.exe").write_bytes(medium.files["kmwin.exe"][2])
    install_unattended(prefix, "/N")
    link = read_link(shell_folder(prefix, "Programs") / "Orvane" / "Kalmora 4.lnk")
    assert link.path == r"D:\kmwin.exe"
    log = read_log(prefix)
    assert "kmwin.GID" not in log.get("program", {}) and "11" not in log["destinations"]


# The page offers the folders that exist (a hidden one is not offered); a new name is created.
@pytest.mark.winver("win95", "nt40", "nt351")
def test_program_folder_page_lists_existing_folders_and_takes_a_new_one(prefix, build, tmp_path, driver):
    installed_medium(prefix, build, tmp_path)
    programs = shell_folder(prefix, "Programs")
    (programs / "Graphics Tools").mkdir()
    prefix.start(r"D:\setup.exe", timeout=120)
    result = driver.check(TO_SETUP_TYPE + r"""
click 1020
wait-page 106
items 1007
select 1007 Graphics Tools
wait-text 1006 Graphics Tools
set 1006 Kalmora Pictures
""" + FOLDER_TO_THE_END)
    listed = result.find("items")[0].values
    assert "Graphics Tools" in listed
    assert read_log(prefix)["PMGroup"]["pmgroup"] == "Kalmora Pictures"
    assert (programs / "Kalmora Pictures").is_dir()


# An icon points where its program was installed, whatever directory the manifest's target names;
# the log records that path, and Unsetup finds the icon by it.
@pytest.mark.winver("win95")
def test_an_icon_follows_its_program_to_where_it_was_installed(prefix, build, tmp_path):
    installed_medium(prefix, build, tmp_path, targets={"kmwin.exe": r"0|-1|0|Kalmora 4.0||kmwin.ico|C:\OLDPLACE\kmwin.exe"})
    install_unattended(prefix)
    folder = shell_folder(prefix, "Programs") / "Orvane"
    assert read_link(folder / "Kalmora 4.lnk").path == r"C:\KALMORA\kmwin.exe"
    assert read_log(prefix)["targets"]["kmwin.exe"].endswith(r"|C:\KALMORA\kmwin.exe")
    assert prefix.run(r"C:\KALMORA\unsetup.exe", "/U", "/B", timeout=120).exit_code == 0
    assert not folder.exists()


# A later Windows NT (XP here) is no NT 3.x: it gets the NT 4 shell's links, not Program Manager
# groups, and Unsetup takes them away again.
@pytest.mark.winver("winxp")
def test_a_later_windows_nt_gets_shell_links(prefix, build, tmp_path, driver):
    installed_medium(prefix, build, tmp_path)
    install_unattended(prefix)
    folder = shell_folder(prefix, "Programs") / "Orvane"
    assert sorted(p.name for p in folder.iterdir()) == ["Kalmora 4.lnk"]
    assert read_link(folder / "Kalmora 4.lnk").path == r"C:\KALMORA\kmwin.exe"
    assert prefix.run(r"C:\KALMORA\unsetup.exe", "/U", "/B", timeout=120).exit_code == 0
    assert not folder.exists()


# On NT 3.51 the program folder may be a group that exists: Unsetup deletes the product's items
# and leaves the group with the user's icons. Wine's shell keeps a group that still holds items
# whatever DeleteGroup says, so a stand-in for Program Manager that does as Program Manager does
# answers the conversation and records it.
@pytest.mark.winver("nt351")
def test_a_group_the_user_chose_keeps_its_other_icons(prefix, build, tmp_path, driver):
    installed_medium(prefix, build, tmp_path)
    record = prefix.linux_path(r"C:\progman.txt")
    standin = prefix.start(build.exe("progman_standin.exe"), r"C:\progman.txt", "Accessories=Notepad,Calculator",
                           "Main=File Manager", "Startup=", timeout=300)
    deadline = time.monotonic() + 20
    while not (record.exists() and "ready" in record.read_text()) and time.monotonic() < deadline:
        time.sleep(0.2)
    prefix.start(r"D:\setup.exe", timeout=120)
    driver.check(TO_SETUP_TYPE + r"""
click 1020
wait-page 106
set 1006 Accessories
""" + FOLDER_TO_THE_END)
    assert last_state(record)["Accessories"] == ["Notepad", "Calculator", "Kalmora 4.0", "Uninstall Kalmora 4.0"]
    assert prefix.run(r"C:\KALMORA\unsetup.exe", "/U", "/B", timeout=120).exit_code == 0
    standin.kill()
    commands = [line[2:] for line in record.read_text().splitlines() if line.startswith("> ")]
    assert '[DeleteGroup("Accessories")]' not in commands
    state = last_state(record)
    assert state["Accessories"] == ["Notepad", "Calculator"]
    assert state["Main"] == ["File Manager"]


def last_state(record) -> dict:
    """The stand-in's groups after its last command: {group: [items]}."""
    lines = record.read_text().splitlines()
    last_command = max(i for i, line in enumerate(lines) if line.startswith(("> ", "ready")))
    state = {}
    for line in lines[last_command + 1:]:
        if line.startswith("= "):
            name, _, items = line[2:].partition(":")
            state[name] = [item for item in items.strip().split("|") if item]
    return state
