"""The free memory as a person sees it in the notification area: drawn over the chip, refreshed every tick."""
import subprocess

import pytest

from conftest import ARTIFACTS, wait_until
from test_tray import the_icon


def icon_pixels(desktop, icon, name):
    """The icon's pixels on the screen, as (red, green, blue) tuples, and a picture of it eight times larger."""
    x, y, width, height = icon
    shot = desktop.screenshot(name)
    subprocess.run(["convert", str(shot), "-crop", f"{width}x{height}+{x}+{y}", "+repage", "-scale", "800%",
                    str(ARTIFACTS / f"{name}-icon.png")], check=True)
    text = subprocess.run(["convert", str(shot), "-crop", f"{width}x{height}+{x}+{y}", "+repage", "-depth", "8",
                           "txt:-"], capture_output=True, text=True, check=True).stdout
    pixels = []
    for line in text.splitlines()[1:]:
        colour = line.split("(")[1].split(")")[0].split(",")
        pixels.append(tuple(int(float(v)) for v in colour[:3]))
    return pixels


def test_the_tray_shows_the_free_memory_over_the_chip(desktop, vantrel):
    icon = the_icon(desktop)

    def drawn():
        pixels = icon_pixels(desktop, icon, f"text-icon-{vantrel.arch}")
        pink = sum(1 for r, g, b in pixels if r > 230 and 120 < g < 180 and b > 170)
        ink = sum(1 for r, g, b in pixels if r < 60 and g < 60 and b < 60)
        return (pink, ink) if pink > 60 and ink > 12 else None

    # The first tray tick comes a second after the start; before it the chip is empty.
    assert wait_until(drawn, 30), "no figure over the chip"


@pytest.mark.settings_file(b"[Tray]\r\nLowPercent=99\r\nCriticalPercent=0\r\n")
def test_a_figure_of_low_memory_is_orange(desktop, vantrel):
    icon = the_icon(desktop)

    def orange():
        pixels = icon_pixels(desktop, icon, f"low-icon-{vantrel.arch}")
        return sum(1 for pixel in pixels if pixel == (0xB0, 0x4A, 0)) > 12 and (0, 0, 0) not in pixels

    assert wait_until(orange, 30), "no orange figure over the chip"
