"""Windows' own switch of each log-on entry on the Startup Manager page (Windows 8 and later), against the real
registry of the Wine prefix: the Status column read through the window tree, the rows' menu used with clicks."""
import subprocess
import time

import pytest

from conftest import BUILD, ROOT, TITLE, wait_until, wine_env
from test_startup_manager import (LIVE, RUN, USER_RUN, empty_keys, export, list_views, open_page, reg,
                                  values)

APPROVED = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run"
USER_APPROVED = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run"
# The prefix says it is Windows 7; this makes it say Windows 10 to Vantrel alone.
APP_DEFAULTS = r"HKCU\Software\Wine\AppDefaults\Vantrel.exe"
# The menu's items that switch; each is the first item of the menu of a selection that it switches.
ENABLE, DISABLE = "enable", "disable"


def now_filetime():
    return int((time.time() + 11644473600) * 10_000_000)


def filetime(data):
    """The time of a switch as `reg query` shows its bytes (hexadecimal, little-endian)."""
    return int.from_bytes(bytes.fromhex(data[8:24]), "little")


@pytest.fixture
def windows_10(desktop):
    reg(desktop, "add", APP_DEFAULTS, "/v", "Version", "/d", "win10", "/f")
    yield
    reg(desktop, "delete", APP_DEFAULTS, "/f")


@pytest.fixture
def switched(desktop):
    """Two entries of all users, one switched off and one on (with another bit set), and one of this user
    without a switch."""
    empty_keys(desktop)
    for key in (APPROVED, USER_APPROVED):
        reg(desktop, "delete", key, "/f")
    reg(desktop, "add", RUN, "/v", "Alpha", "/d", r"C:\alpha.exe", "/f")
    reg(desktop, "add", RUN, "/v", "Beta", "/d", r"C:\beta.exe", "/f")
    reg(desktop, "add", USER_RUN, "/v", "Gamma", "/d", r"C:\gamma.exe", "/f")
    for name, data in (("Alpha", "0300000000e0287c4286dd01"), ("Beta", "060000000000000000000000")):
        assert reg(desktop, "add", APPROVED, "/v", name, "/t", "REG_BINARY", "/d", data, "/f").returncode == 0
    yield
    for key in (APPROVED, USER_APPROVED):
        reg(desktop, "delete", key, "/f")


def upper_rows(desktop, arch):
    """The upper list's column count and its rows' texts, read by the probe of the program's architecture."""
    result = subprocess.run([str(ROOT / "scripts" / "wine"), str(BUILD / arch / "tests" / "window_probe.exe"),
                             "--rows", TITLE], env=wine_env(desktop), capture_output=True, text=True)
    lists = []
    for line in result.stdout.splitlines():
        cells = line.split("\t")
        if cells[0] == "list":
            lists.append((int(cells[1]), []))
        elif lists:
            lists[-1][1].append(cells)
    return lists[0] if lists else (0, [])


def row_point(desktop, row):
    """The middle of a row of the upper list, on the screen."""
    left, top, right, bottom = list_views(desktop)[LIVE][1]
    # Below the header (18 pixels at 96 DPI), 17 pixels a row.
    return left + 40, top + 2 + 18 + row * 17 + 8


def choose(desktop, arch, row, item, ctrl_rows=()):
    """Selects a row with a click (and more with Ctrl+click), right-clicks it and clicks a menu item."""
    x, y = row_point(desktop, row)
    desktop.click(x, y)
    for other in ctrl_rows:
        ox, oy = row_point(desktop, other)
        desktop.x("xdotool", "mousemove", str(ox), str(oy), "keydown", "ctrl", "click", "1", "keyup", "ctrl")
    before = set(desktop.visible_windows())
    desktop.click(x, y, 3)
    menu = wait_until(lambda: set(desktop.visible_windows()) - before, 10)
    assert menu, "no menu"
    mx, my, width, height = desktop.geometry(menu.pop())
    desktop.still_screenshot(f"startup-approved-menu-{arch}-{item}")
    # The first item, inside a frame of 3 pixels.
    desktop.click(mx + width // 2, my + 3 + 8)
    assert wait_until(lambda: set(desktop.visible_windows()) <= before, 10), "the menu stays"


def statuses(desktop, arch):
    return {(cells[0], cells[2]): cells[3] for cells in upper_rows(desktop, arch)[1]}


def test_the_status_column_and_the_menu_switch_entries_in_their_own_scopes(desktop, windows_10, switched,
                                                                            vantrel, tmp_path):
    open_page(desktop, vantrel.arch)
    columns, rows = upper_rows(desktop, vantrel.arch)
    assert columns == 6, rows
    assert wait_until(lambda: statuses(desktop, vantrel.arch) == {
        ("Alpha", "All users"): "Disabled", ("Beta", "All users"): "Enabled", ("Gamma", "This user"): "Enabled"},
        10), upper_rows(desktop, vantrel.arch)
    assert [cells[5] for cells in rows] == [r"C:\alpha.exe", r"C:\beta.exe", r"C:\gamma.exe"]
    desktop.still_screenshot(f"startup-approved-column-{vantrel.arch}")
    machine_before = export(desktop, APPROVED, tmp_path)
    assert machine_before

    # Beta and Gamma off: Beta keeps its other bit, Gamma gets Windows' 03; both the time of now.
    started = now_filetime()
    choose(desktop, vantrel.arch, 1, DISABLE, ctrl_rows=[2])
    assert wait_until(lambda: statuses(desktop, vantrel.arch)[("Gamma", "This user")] == "Disabled", 10)
    assert statuses(desktop, vantrel.arch)[("Beta", "All users")] == "Disabled"
    beta, gamma = values(desktop, APPROVED)["Beta"], values(desktop, USER_APPROVED)["Gamma"]
    assert beta[0] == gamma[0] == "REG_BINARY"
    assert (beta[1][:8], gamma[1][:8]) == ("07000000", "03000000")
    for data in (beta[1], gamma[1]):
        assert started - 600_000_000 <= filetime(data) <= now_filetime() + 600_000_000, data
    assert values(desktop, APPROVED)["Alpha"] == ("REG_BINARY", "0300000000E0287C4286DD01")

    # And on again: Beta's switch is as it was, byte for byte; Gamma's says on.
    choose(desktop, vantrel.arch, 1, ENABLE, ctrl_rows=[2])
    assert wait_until(lambda: statuses(desktop, vantrel.arch)[("Gamma", "This user")] == "Enabled", 10)
    assert export(desktop, APPROVED, tmp_path) == machine_before
    assert values(desktop, USER_APPROVED)["Gamma"] == ("REG_BINARY", "020000000000000000000000")
    assert set(values(desktop, RUN)) == {"Alpha", "Beta", "Vantrel"}


@pytest.fixture
def run_once(desktop, switched):
    """One more entry, of this user's RunOnce key (which Wine's own start-up leaves alone)."""
    reg(desktop, "add", USER_RUN + "Once", "/v", "Delta", "/d", r"C:\delta.exe", "/f")
    yield
    reg(desktop, "delete", USER_RUN + "Once", "/v", "Delta", "/f")


def test_before_windows_8_there_is_no_status_column(desktop, run_once, vantrel):
    open_page(desktop, vantrel.arch)
    columns, rows = upper_rows(desktop, vantrel.arch)
    assert columns == 5, rows
    assert [cells[:3] for cells in rows] == [["Alpha", "Run", "All users"], ["Beta", "Run", "All users"],
                                             ["Delta", "RunOnce", "This user"], ["Gamma", "Run", "This user"]]


def test_the_rows_bring_their_menu_and_the_empty_part_of_the_list_the_windows_menu(desktop, windows_10,
                                                                                   switched, vantrel):
    open_page(desktop, vantrel.arch)
    assert wait_until(lambda: len(upper_rows(desktop, vantrel.arch)[1]) == 3, 10), upper_rows(desktop,
                                                                                         vantrel.arch)

    def menu_height(opens, name):
        """Opens a menu, looks at it, closes it with Escape; its height on the screen."""
        before = set(desktop.visible_windows())
        opens()
        menu = wait_until(lambda: set(desktop.visible_windows()) - before, 10)
        assert menu, f"no menu ({name})"
        height = desktop.geometry(menu.pop())[3]
        desktop.still_screenshot(f"startup-list-menu-{name}-{vantrel.arch}")
        desktop.x("xdotool", "key", "Escape")
        assert wait_until(lambda: set(desktop.visible_windows()) <= before, 10), f"the menu stays ({name})"
        return height

    row_x, row_y = row_point(desktop, 1)
    empty_x, empty_y = row_point(desktop, 3)
    on_row = menu_height(lambda: desktop.click(row_x, row_y, 3), "row")
    # From the keyboard, for the selected row.
    desktop.click(row_x, row_y)
    by_key = menu_height(lambda: desktop.x("xdotool", "key", "shift+F10"), "keyboard")
    on_empty = menu_height(lambda: desktop.click(empty_x, empty_y, 3), "empty")
    # The rows' menu has three items and a separator; the window's six and two separators.
    assert on_row == by_key < on_empty, (on_row, by_key, on_empty)

    # And it is the window's menu at work: its Show/Hide hides the window.
    desktop.click(empty_x, empty_y, 3)
    assert wait_until(lambda: len(desktop.visible_windows()) > 1, 10), "no menu"
    desktop.x("xdotool", "key", "s")
    assert wait_until(lambda: not desktop.visible_windows(), 10), "the window stays"


@pytest.fixture
def with_notepad(desktop, switched):
    """One more entry, whose program is there: Wine's Notepad."""
    reg(desktop, "add", RUN, "/v", "Notepad", "/d", r"C:\windows\notepad.exe", "/f")


def test_an_enlarged_page_greys_what_will_not_start_and_a_rows_menu_opens_its_files_place(desktop, windows_10,
                                                                                         with_notepad, vantrel):
    from test_startup_manager import drag, per_page
    from test_lifecycle import main_window
    open_page(desktop, vantrel.arch)
    x, y, width, height = desktop.geometry(main_window(desktop))
    drag(desktop, (x + width - 2, y + height - 2), (200, 230))
    assert wait_until(lambda: per_page(list_views(desktop)[LIVE]) >= 10, 10), list_views(desktop)
    # Alpha is switched off; no file of the entries but Notepad's is there.
    assert wait_until(lambda: [(cells[0], cells[3], cells[4] == "File not found") for cells in
                               upper_rows(desktop, vantrel.arch)[1]] == [
        ("Alpha", "Disabled", True), ("Beta", "Enabled", True), ("Gamma", "Enabled", True),
        ("Notepad", "Enabled", False)], 10), upper_rows(desktop, vantrel.arch)
    desktop.still_screenshot(f"startup-enlarged-{vantrel.arch}")

    row_x, row_y = row_point(desktop, 3)
    desktop.click(row_x, row_y)
    before = set(desktop.visible_windows())
    desktop.click(row_x, row_y, 3)
    assert wait_until(lambda: set(desktop.visible_windows()) - before, 10), "no menu"
    desktop.still_screenshot(f"startup-row-menu-{vantrel.arch}")
    shown = set(desktop.visible_windows("explorer.exe"))
    desktop.x("xdotool", "key", "o")  # Open file location
    assert wait_until(lambda: set(desktop.visible_windows("explorer.exe")) - shown, 20), "no Explorer"
    desktop.still_screenshot(f"startup-file-location-{vantrel.arch}")
