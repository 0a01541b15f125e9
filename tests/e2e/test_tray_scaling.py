"""The tray icon at every display scaling: with the prefix's DPI (LogPixels) at 96, 120, 144 and 192, the shell
receives Vantrel's icons at the small-icon size of that DPI (16, 20, 24 and 32 pixels) and shows the chip with
the free memory at that size."""
import re
import subprocess

import pytest

from conftest import ARTIFACTS, PROBES, ROOT, wait_until, wine_env
from test_text_icon import icon_pixels
from test_tray import the_icon

DESKTOP_KEY = r"HKCU\Control Panel\Desktop"
SMALL_ICON = {96: 16, 120: 20, 144: 24, 192: 32}
# The shell makes its own copy of each icon a program hands it, from the icon's bits and real size.
RECEIVED = re.compile(r"trace:icon:CreateIcon (\d+)x(\d+)")


def wine(desktop, *args):
    return subprocess.run([str(ROOT / "scripts" / "wine"), *args], env=wine_env(desktop), capture_output=True,
                          text=True, timeout=60)


def log_pixels_value(desktop):
    """The prefix's LogPixels, or None when it has none (then it is 96)."""
    found = re.search(r"LogPixels\s+REG_DWORD\s+0x([0-9a-f]+)",
                      wine(desktop, "reg", "query", DESKTOP_KEY, "/v", "LogPixels").stdout)
    return int(found.group(1), 16) if found else None


def set_log_pixels(desktop, dpi):
    if dpi is None:
        wine(desktop, "reg", "delete", DESKTOP_KEY, "/v", "LogPixels", "/f")
    else:
        wine(desktop, "reg", "add", DESKTOP_KEY, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f")
    # Wine reads the DPI when a process starts, and the shell keeps the one it started with: every process of
    # the prefix is stopped (which also writes the registry out), so that the next ones start at this DPI.
    wine(desktop, "wineserver", "-k")
    wine(desktop, "wineserver", "-w")


@pytest.fixture(params=sorted(SMALL_ICON))
def log_pixels(request, desktop):
    """The prefix at this DPI before the program starts, and the shell started with its icon calls traced to a
    file: (dpi, trace). The prefix's own value is put back at the end."""
    before = log_pixels_value(desktop)
    set_log_pixels(desktop, request.param)
    try:
        ARTIFACTS.mkdir(parents=True, exist_ok=True)
        trace = ARTIFACTS / f"shell-{request.node.callspec.id}.log"
        with open(trace, "w") as log:
            # Any window call starts the shell, which keeps this process's error output and trace setting.
            subprocess.run([str(ROOT / "scripts" / "wine"), str(PROBES["i686"]), "restore"],
                           env=dict(wine_env(desktop), VANTREL_WINEDEBUG="+icon"), stdout=subprocess.DEVNULL,
                           stderr=log, timeout=60)
        yield request.param, trace
    finally:
        set_log_pixels(desktop, before)


def pink(r, g, b):
    """The chip's body or highlight, or its border."""
    return (r > 230 and 120 < g < 220 and b > 170) or (180 < r < 220 and 50 < g < 90 and 110 < b < 150)


def ink(r, g, b):
    return r < 60 and g < 60 and b < 60


def chip(pixels, width):
    """The columns of the docked icon that show the chip, and the ink pixels on the chip's rows."""
    rows = [pixels[top:top + width] for top in range(0, len(pixels), width)]
    columns = {x for row in rows for x, pixel in enumerate(row) if pink(*pixel)}
    inked = sum(1 for row in rows if any(pink(*pixel) for pixel in row) for pixel in row if ink(*pixel))
    return len(columns), inked


@pytest.mark.tray_height(40)
def test_the_shell_gets_the_icon_at_the_small_icon_size(desktop, log_pixels, vantrel):
    dpi, trace = log_pixels
    size = SMALL_ICON[dpi]
    icon = the_icon(desktop)
    name = f"tray-{dpi}dpi-{vantrel.arch}"

    def drawn():
        columns, inked = chip(icon_pixels(desktop, icon, name), icon[2])
        return columns if inked > size else None

    # The first tray tick comes a second after the start; then the figure is drawn over the chip, which the
    # shell shows as wide as the small icon.
    assert wait_until(drawn, 30) == size, "no figure over a chip of the small icon's width"
    received = [(int(w), int(h)) for w, h in RECEIVED.findall(trace.read_text(errors="replace"))]
    # The program's icon, the list's image, then one drawing per tick: every one at the small-icon size.
    assert len(received) >= 3, received
    assert set(received) == {(size, size)}, received
