"""Vantrel starts with its window caption and ends cleanly when the window is closed."""
from conftest import TITLE


def test_starts_and_closes_cleanly_from_the_close_button(desktop, vantrel):
    window = desktop.window(TITLE)
    x, y, width, _ = desktop.geometry(window)
    desktop.screenshot(f"started-{vantrel.pid}")
    # The close box sits at the right end of the caption bar, inside the window's frame.
    desktop.click(x + width - 12, y + 11)
    assert vantrel.wait(30) == 0
