"""Test bed for the installer under Wine: template and per-test prefixes, virtual displays,
running Windows programs, the registry seen from Linux, screenshots and the UI driver."""

from .display import XDisplay
from .driver import DriverError, DriverResult, UiDriver
from .media import Diskette, ReadOnlyCd, SmallDisk
from .image import Image, read_bmp, read_png, write_png
from .prefix import LATER_VERSIONS, WinePrefix, WineProcess, WINDOWS_VERSIONS
from .registry import RegistryFile, parse_reg_query
from .template import ensure_template
from .wineenv import test_tree, wine_arch, wine_command, wine_loader, wine_root

__all__ = [
    "XDisplay", "Diskette", "SmallDisk", "ReadOnlyCd", "DriverError", "DriverResult", "UiDriver", "Image", "read_bmp", "read_png",
    "write_png", "WinePrefix", "WineProcess", "WINDOWS_VERSIONS", "LATER_VERSIONS", "RegistryFile",
    "parse_reg_query", "ensure_template", "test_tree", "wine_arch", "wine_command", "wine_loader", "wine_root",
]
