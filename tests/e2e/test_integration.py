"""After copying, Setup registers the product's COM servers in their fixed order and starts its
scheduler: the real stand-ins of the test tree, installed from the medium."""

import pytest

from exitcodes import WITH_ERRORS, exit_code_of, start_watched
from medium import GROUPS, Medium, with_product_programs
from walks import TYPICAL_TO_COPY_DELAY

# Each server in its destination; the class ids are those the stand-ins register.
SERVERS = {
    "asfltr.dll": (r"C:\KALMORA\Filters", "{6B7D3A10-4C2E-4E51-9A61-0D4F2B7A1001}"),
    "imfltr.dll": (r"C:\KALMORA\Import", "{6B7D3A10-4C2E-4E51-9A61-0D4F2B7A1002}"),
    "imgservr.dll": (r"C:\KALMORA\Servers", "{6B7D3A10-4C2E-4E51-9A61-0D4F2B7A1003}"),
    "proxy.dll": (r"C:\KALMORA\Servers", "{6B7D3A10-4C2E-4E51-9A61-0D4F2B7A1004}"),
}


def product_medium(build, tmp_path, without=()) -> Medium:
    """The test product with its real program, scheduler and servers (less those named)."""
    groups = with_product_programs(GROUPS, build.bin, without, real_program=True)
    return Medium(tmp_path / "medium", build.exe("setup.exe"), groups=groups)


def registered_servers(prefix) -> dict:
    """Server file name -> the path its class id's InprocServer32 names (None when unregistered)."""
    system = prefix.registry("system")
    return {name: system.value(rf"Software\Classes\CLSID\{clsid}\InprocServer32", "")
            for name, (_, clsid) in SERVERS.items()}


def test_servers_are_registered_and_the_scheduler_runs(prefix, build, tmp_path, driver):
    medium = product_medium(build, tmp_path)
    prefix.map_drive("d", medium.setup_dir)
    assert prefix.run(r"D:\setup.exe", "/B", timeout=120).exit_code == 0
    driver.check('wait-window "Kalmora Scheduler" KMScheduler 10000')
    assert registered_servers(prefix) == {name: directory + "\\" + name for name, (directory, _) in SERVERS.items()}


# Registration stops at the first server that fails: imfltr cannot be loaded, so asfltr before it
# is registered and imgservr and proxy after it are not. Attended, the load failure names the
# library; unattended, no box stops the run.
@pytest.mark.winver("nt40")
def test_a_missing_server_stops_the_registration_after_it(prefix, build, tmp_path, driver):
    medium = product_medium(build, tmp_path, without=("imfltr.dll",))
    prefix.map_drive("d", medium.setup_dir)
    prefix.start(r"D:\setup.exe", timeout=120)
    result = driver.check(TYPICAL_TO_COPY_DELAY + "click 7\nanswer * ok 60000\nwait-page 115 60000\nclick 1\n")
    title, text = result.find("answer")[0].values[:2]
    assert (title, text) == (r"C:\KALMORA\Import\imfltr.dll", "Could not load the library!!!")
    servers = registered_servers(prefix)
    assert servers["asfltr.dll"] == r"C:\KALMORA\Filters\asfltr.dll"
    assert servers["imgservr.dll"] is None and servers["proxy.dll"] is None


# Unattended, no box stops the run, and its exit code says that the product is incomplete.
@pytest.mark.winver("win95")
def test_unattended_a_missing_server_shows_no_box(prefix, build, tmp_path):
    medium = product_medium(build, tmp_path, without=("imfltr.dll",))
    prefix.map_drive("d", medium.setup_dir)
    assert exit_code_of(start_watched(prefix, build, r"D:\setup.exe", "/B")) == WITH_ERRORS
    assert registered_servers(prefix)["asfltr.dll"] == r"C:\KALMORA\Filters\asfltr.dll"
    assert registered_servers(prefix)["proxy.dll"] is None
