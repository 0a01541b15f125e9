"""The free memory as a person sees it in the notification area: drawn over the chip, refreshed every tick."""
import subprocess

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
