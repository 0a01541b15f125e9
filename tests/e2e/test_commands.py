"""The tray's commands as a person gives them: a left click frees memory, the menu shows and hides the window,
frees all, opens the CD tray and closes the program."""
import pytest

from conftest import peak_memory_mb, vantrel_lines, wait_until
from test_lifecycle import KEYS
from test_text_icon import icon_pixels
from test_tray import click_icon, the_icon


def menu_command(desktop, icon, keys, done, seconds=15):
    """Chooses an item of the tray menu as a person does, with a right click and the keyboard, until `done`
    holds. Under Wine with trayer a menu now and then closes again at once, taking the keys with it (more often
    while the icon's tip shows): the person then simply clicks again."""
    for _ in range(5):
        if not click_icon(desktop, icon, desktop.visible_windows, button=3):
            continue
        # A person reads the menu before choosing: keys typed in the instant it maps can go astray under Wine.
        desktop.x("xdotool", "sleep", "0.3", "key", "--delay", "100", *keys)
        if wait_until(done, seconds):
            return
        desktop.x("xdotool", "key", "Escape")
        # and moves the pointer off the icon, so that its tip goes before the next try.
        desktop.x("xdotool", "mousemove", "0", "400", "sleep", "1")
    desktop.screenshot("menu-command-failed")
    raise AssertionError(f"the menu command {keys} did not take")


def shows(pixels, colour):
    return sum(1 for pixel in pixels if colour(*pixel))


def green(r, g, b):
    return g > 150 and r < 120 and b < 120


def pink(r, g, b):
    return r > 230 and 120 < g < 180 and b > 170


# A tray tick long after the click, so that the pass image stays long enough to be seen.
@pytest.mark.settings("TRFSH=20", "LCLK=4")
def test_a_left_click_frees_64_mb_and_the_tray_shows_the_pass(desktop, vantrel):
    icon = the_icon(desktop)
    assert wait_until(lambda: shows(icon_pixels(desktop, icon, f"click-{vantrel.arch}"), pink) > 60, 30)
    before = peak_memory_mb(vantrel.folder)
    assert click_icon(desktop, icon, lambda: peak_memory_mb(vantrel.folder) >= before + 60), "no pass"
    # The pass image stays until the next tray tick draws the figure again.
    assert wait_until(lambda: shows(icon_pixels(desktop, icon, f"pass-{vantrel.arch}"), green) > 10, 10)
    assert wait_until(lambda: shows(icon_pixels(desktop, icon, f"after-pass-{vantrel.arch}"), pink) > 60, 30)


def test_show_hide_from_the_menu(desktop, vantrel):
    icon = the_icon(desktop)
    shown = lambda: [w for w in desktop.visible_windows() if desktop.geometry(w)[2] >= 452]
    menu_command(desktop, icon, ["s"], shown)
    menu_command(desktop, icon, ["s"], lambda: not desktop.visible_windows())


def test_free_all_from_the_menu(desktop, vantrel):
    icon = the_icon(desktop)
    # All memory, at most 1024 MB; a 32-bit process may find its address space too broken up for all of it.
    menu_command(desktop, icon, ["a"], lambda: peak_memory_mb(vantrel.folder) >= 500)


def test_eject_without_a_drive_shows_nothing(desktop, vantrel):
    icon = the_icon(desktop)
    # Eject is the third item from the bottom.
    menu_command(desktop, icon, ["Up", "Up", "Up", "Return"], lambda: not desktop.visible_windows())
    appeared = wait_until(desktop.visible_windows, 3)
    if appeared:
        desktop.screenshot(f"eject-{vantrel.arch}")
    assert not appeared, [desktop.x("xdotool", "getwindowname", w) for w in appeared]
    assert vantrel.poll() is None


def test_close_from_the_menu_saves_and_ends(desktop, vantrel):
    icon = the_icon(desktop)
    menu_command(desktop, icon, ["Up", "Return"], lambda: vantrel.poll() is not None)
    assert vantrel.wait(30) == 0
    assert vantrel_lines(vantrel.folder) == KEYS
