"""Vantrel shows its window when restored, saves its settings when the window is closed, runs once per
session (a later start shows the running copy's window) and shows its window after it was minimised into the
tray."""
import time

import pytest

from conftest import EXECUTABLES, SETTINGS, TITLE, probe, show_window, start, unwritable, vantrel_lines, wait_until

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


@pytest.mark.settings_file(b"[Window]\r\nWidth=3000\r\nHeight=2000\r\n")
def test_a_saved_size_larger_than_the_screen_is_shown_within_it(desktop, vantrel):
    show_window(desktop, vantrel.arch)
    x, y, width, height = desktop.geometry(main_window(desktop))
    assert x >= 0 and y >= 0 and x + width <= 1024 and y + height <= 768, (x, y, width, height)


def test_closing_the_window_writes_the_settings_file(desktop, vantrel):
    show_window(desktop, vantrel.arch)
    window = main_window(desktop)
    desktop.still_screenshot(f"first-shown-{vantrel.arch}")
    # Alt+F4 on the window, as its close box does.
    desktop.x("xdotool", "windowactivate", "--sync", window)
    desktop.x("xdotool", "key", "alt+F4")
    assert vantrel.wait(30) == 0
    assert vantrel_lines(vantrel.folder) == KEYS


def test_a_second_start_shows_the_running_copy_and_ends(desktop, vantrel):
    from test_commands import menu_command
    from test_tray import the_icon
    icon = the_icon(desktop)
    again = start(desktop, vantrel.folder)
    try:
        assert again.wait(30) == 0
    finally:
        if again.poll() is None:
            again.kill()
    main_window(desktop)
    desktop.still_screenshot(f"second-start-{vantrel.arch}")
    assert vantrel.poll() is None
    assert len(desktop.tray_icons()) == 1
    # Shown as Show/Hide shows it: the next Show/Hide hides it again.
    menu_command(desktop, icon, ["s"], lambda: not desktop.visible_windows())


def test_two_copies_started_together_leave_one_icon(desktop, tmp_path):
    folder = tmp_path / "Vantrel"
    folder.mkdir()
    (folder / "Vantrel.exe").write_bytes(EXECUTABLES["i686"].read_bytes())
    copies = [start(desktop, folder), start(desktop, folder)]
    try:
        assert wait_until(lambda: sum(c.poll() is not None for c in copies) == 1, 60), "both copies run on"
        assert [c.returncode for c in copies if c.poll() is not None] == [0]
        assert wait_until(desktop.tray_icons, 60)
        # Long enough for a second icon to dock, had there been one.
        assert not wait_until(lambda: len(desktop.tray_icons()) > 1, 5)
        # The later start asked the other to show its window.
        main_window(desktop)
    finally:
        for copy in copies:
            if copy.poll() is None:
                copy.kill()
                copy.wait(10)


def test_a_start_of_another_build_shows_the_running_copy_and_ends(desktop, tmp_path):
    """After an update, the new build's start finds the old build in the tray: its title names another build."""
    data = EXECUTABLES["i686"].read_bytes()
    assert TITLE.encode() in data
    builds = {"old": data, "new": data.replace(TITLE.encode(), TITLE[:-3].encode() + b"999")}
    copies = []
    try:
        for name, build in builds.items():
            folder = tmp_path / name
            folder.mkdir()
            (folder / "Vantrel.exe").write_bytes(build)
            copies.append(start(desktop, folder))
            assert wait_until(desktop.tray_icons, 60)
        assert copies[1].wait(30) == 0
        main_window(desktop)
        assert copies[0].poll() is None
        assert len(desktop.tray_icons()) == 1
    finally:
        for copy in copies:
            if copy.poll() is None:
                copy.kill()
                copy.wait(10)


def test_a_start_as_the_running_copy_closes_runs_in_its_place(desktop, user_settings, tmp_path):
    from test_commands import menu_command
    from test_tray import centre, the_icon
    folder = tmp_path / "Vantrel"
    folder.mkdir()
    (folder / "Vantrel.exe").write_bytes(EXECUTABLES["i686"].read_bytes())
    settings = folder / "Vantrel.ini"
    settings.write_bytes(SETTINGS.encode())
    closing = start(desktop, folder)
    copies = [closing]
    try:
        icon = the_icon(desktop)
        # Its settings cannot be written: it stays closing, under the box that says so, until the box is
        # dismissed, and refuses a later start meanwhile.
        with unwritable(folder, settings, user_settings, user_settings / "Vantrel.ini"):
            told = lambda: [c for c in probe(desktop) if c[3].startswith("Unable to write to")]
            menu_command(desktop, icon, ["Up", "Return"], told)
            copies.append(start(desktop, folder))
            time.sleep(5)
            assert copies[1].poll() is None, "the new start gave up"
            ok = next(c for c in probe(desktop) if c[0].lower() == "button" and c[3] == "OK")
            desktop.click(*centre((ok[1][0], ok[1][1], ok[1][2] - ok[1][0], ok[1][3] - ok[1][1])))
            assert closing.wait(30) == 0
        assert wait_until(lambda: copies[1].poll() is not None or desktop.tray_icons(), 60)
        assert copies[1].poll() is None, "no copy runs"
        desktop.still_screenshot("started-as-it-closed")
    finally:
        for copy in copies:
            if copy.poll() is None:
                copy.kill()
                copy.wait(10)


# The left click is Show/Hide: one click, unlike a menu command, which is tried again when it seems lost.
@pytest.mark.settings("LCLK=9")
def test_minimised_into_the_tray_the_next_show_hide_shows_the_window(desktop, vantrel):
    from test_tray import centre, the_icon
    icon = the_icon(desktop)
    show_window(desktop, vantrel.arch)
    x, y, width, _ = desktop.geometry(main_window(desktop))
    # The minimise box is the first of the three caption buttons.
    desktop.click(x + width - 48, y + 11)
    assert wait_until(lambda: not desktop.visible_windows(), 30), "the window stays"
    desktop.click(*centre(icon))
    assert wait_until(lambda: [w for w in desktop.visible_windows() if desktop.geometry(w)[2] >= 452], 15)
    desktop.still_screenshot(f"shown-after-minimising-{vantrel.arch}")

