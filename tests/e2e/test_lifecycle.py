"""Vantrel shows its window when restored, and saves its settings when the window is closed."""
from conftest import TITLE, show_window, wait_until

KEYS = ["AutoRun=1", "AutoFree=1", "Target=16", "GRFSH=1", "TRFSH=1", "TRYT=1", "LCLK=4", "WAIT=1", "CPU=80",
        "IDX=4", "MIN=6", "CMI=1"]


def main_window(desktop):
    """The main window: the application window that carries the taskbar button has the same title."""
    def find():
        shown = desktop.x("xdotool", "search", "--onlyvisible", "--name", f"^{TITLE}$").split()
        return [w for w in shown if desktop.geometry(w)[2] >= 452]
    found = wait_until(find, 60)
    assert found, "the main window is not shown"
    return found[0]


def test_shows_its_window_where_it_was_laid_out_when_restored(desktop, vantrel):
    show_window(desktop, vantrel.arch)
    window = main_window(desktop)
    x, y, width, height = desktop.geometry(window)
    assert (x, y) == (275, 192)
    assert width >= 452 and height >= 311


def test_closing_the_window_writes_the_settings_file(desktop, vantrel):
    show_window(desktop, vantrel.arch)
    window = main_window(desktop)
    desktop.still_screenshot(f"first-shown-{vantrel.arch}")
    # Alt+F4 on the window, as its close box does.
    desktop.x("xdotool", "windowactivate", "--sync", window)
    desktop.x("xdotool", "key", "alt+F4")
    assert vantrel.wait(30) == 0
    settings = (vantrel.folder / "Vantrel.ini").read_text()
    assert settings.split() == ["[Vantrel]"] + KEYS
