"""Fixtures of the end-to-end scenarios: the built Windows tree, a Wine prefix of its own per test
(parameterised by Windows version) and the UI driver.

Choose versions with the marker @pytest.mark.winver("win95", "nt40") on a test, and for a run with
--winver=nt40,nt351 (or KALMORA_WINVER); select by version with -m nt351."""

import os
import sys
from pathlib import Path

import pytest

REPO = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(REPO / "tests"))

from harness import LATER_VERSIONS, WINDOWS_VERSIONS, UiDriver, WinePrefix, ensure_template, test_tree  # noqa: E402


class BuildTree:
    """The Windows build tree whose programs the scenarios run (KALMORA_BUILD, default build/win64)."""

    def __init__(self, root: Path):
        self.root = root
        self.bin = root / "bin"

    def exe(self, name: str) -> Path:
        path = self.bin / name
        if not path.is_file():
            pytest.fail(f"{path} is missing: build the Windows tree first (KALMORA_BUILD={self.root})")
        return path


def pytest_addoption(parser):
    parser.addoption("--winver", default=os.environ.get("KALMORA_WINVER", ""),
                     help="comma-separated Windows versions to run: " + ",".join(WINDOWS_VERSIONS + LATER_VERSIONS))


def pytest_configure(config):
    config.addinivalue_line("markers", "winver(*versions): the Windows versions a prefix test runs on")
    for version in WINDOWS_VERSIONS + LATER_VERSIONS:
        config.addinivalue_line("markers", f"{version}: the test runs in a {version} prefix")


def pytest_generate_tests(metafunc):
    if "prefix" not in metafunc.fixturenames:
        return
    marker = metafunc.definition.get_closest_marker("winver")
    versions = list(marker.args) if marker else list(WINDOWS_VERSIONS)
    unknown = [v for v in versions if v not in WINDOWS_VERSIONS + LATER_VERSIONS]
    if unknown:
        raise pytest.UsageError(f"{metafunc.definition.nodeid}: unknown Windows versions {unknown}")
    chosen = [v for v in metafunc.config.getoption("winver").split(",") if v]
    if chosen:
        versions = [v for v in versions if v in chosen]
    metafunc.parametrize("prefix", [pytest.param(v, id=v, marks=getattr(pytest.mark, v)) for v in versions],
                         indirect=True)


@pytest.fixture(scope="session")
def build() -> BuildTree:
    return BuildTree(test_tree())


@pytest.fixture(scope="session")
def wine_template() -> Path:
    return ensure_template()


@pytest.hookimpl(hookwrapper=True)
def pytest_runtest_makereport(item, call):
    outcome = yield
    report = outcome.get_result()
    if report.when == "call":
        item.kalmora_call_failed = report.failed


def show_logs(prefix: WinePrefix) -> None:
    """Prints the end of every program output and driver result of a failed test's prefix."""
    files = sorted(prefix.logs.glob("*")) + sorted(prefix.linux_path(r"C:\kalmora-driver").glob("result-*"))
    for path in files:
        text = path.read_text(errors="replace").strip()
        if text:
            print(f"--- {path.name}\n" + "\n".join(text.splitlines()[-40:]))


@pytest.fixture
def prefix(request, wine_template):
    """A fresh prefix copied from the template, with its own display and wineserver."""
    version = getattr(request, "param", WINDOWS_VERSIONS[0])
    with WinePrefix.create(version, name=request.node.name, template=wine_template) as created:
        yield created
        if getattr(request.node, "kalmora_call_failed", False):
            show_logs(created)


@pytest.fixture
def driver(prefix, build) -> UiDriver:
    return UiDriver(prefix, build.exe("uidriver.exe"))


@pytest.fixture
def artifacts(request, tmp_path) -> Path:
    """A folder for screenshots and logs: under KALMORA_ARTIFACTS when set (kept), else temporary."""
    base = os.environ.get("KALMORA_ARTIFACTS")
    folder = Path(base) / request.node.name if base else tmp_path
    folder.mkdir(parents=True, exist_ok=True)
    return folder
