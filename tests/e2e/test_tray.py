"""Vantrel in a real notification area (trayer under Xvfb): it starts there, opens its menu from it, survives
a re-created taskbar, minimises into it and leaves it at exit; a tray icon's click arrives as OnClick."""
import pytest

from conftest import show_window, tray_probe, wait_until
from test_lifecycle import main_window
from test_startup_manager import RUN, reg, values


def the_icon(desktop):
    """Vantrel's icon once it is docked: x, y, width, height."""
    icons = wait_until(desktop.tray_icons, 60)
    assert icons, "no icon in the notification area"
    assert len(icons) == 1
    return icons[0]


def centre(icon):
    x, y, width, height = icon
    return x + width // 2, y + height // 2


def click_icon(desktop, icon, took, button=1):
    """Clicks the icon until `took` holds; its value. Under Wine a click in the first instants after trayer
    docks an icon is now and then lost before the icon's program sees it: a person then clicks again."""
    for _ in range(3):
        desktop.click(*centre(icon), button=button)
        value = wait_until(took, 5)
        if value:
            return value
        desktop.x("xdotool", "mousemove", "0", "400", "sleep", "1")
    return None


@pytest.fixture
def no_auto_start(desktop):
    """The auto-start value is gone before the program's first start."""
    reg(desktop, "delete", RUN, "/v", "Vantrel", "/f")
    assert "Vantrel" not in values(desktop, RUN)


def test_starts_in_the_notification_area_without_a_window(desktop, no_auto_start, vantrel):
    the_icon(desktop)
    assert wait_until(lambda: not desktop.visible_windows(), 30), "a window stays on the screen"
    desktop.screenshot(f"tray-at-start-{vantrel.arch}")
    # Without a settings file auto-start is on: the value is made at once, the file only at exit.
    own_path = "Z:" + str(vantrel.folder / "Vantrel.exe").replace("/", "\\")
    assert wait_until(lambda: values(desktop, RUN).get("Vantrel") == ("REG_SZ", own_path), 10), values(desktop, RUN)
    assert not (vantrel.folder / "Vantrel.ini").exists()
    # Nothing shows up later either.
    assert not wait_until(desktop.visible_windows, 3)


def test_a_right_click_opens_the_menu_at_the_pointer(desktop, vantrel):
    icon = the_icon(desktop)
    x, y = centre(icon)
    menus = click_icon(desktop, icon, desktop.visible_windows, button=3)
    assert menus, "no menu"
    left, top, width, height = desktop.geometry(menus[0])
    desktop.screenshot(f"tray-menu-{vantrel.arch}")
    # At the pointer, moved left only as far as it takes to stay on the screen.
    screen_width = int(desktop.x("xdotool", "getdisplaygeometry").split()[0])
    assert top == y
    assert left == x or (left < x and left + width == screen_width)
    assert height > 100
    desktop.x("xdotool", "key", "Escape")
    assert wait_until(lambda: not desktop.visible_windows(), 30), "the menu stays open"


def test_taskbar_created_puts_the_icon_back(desktop, vantrel):
    the_icon(desktop)

    # The shell loses its icons when the taskbar is re-created. While the program starts it may add its icon
    # once more, so the loss counts once the icon stays away.
    def lost():
        tray_probe(desktop, vantrel.arch, "remove-icon")
        return wait_until(lambda: not desktop.tray_icons(), 5) and not wait_until(desktop.tray_icons, 2)

    assert wait_until(lost, 60), "the icon was not removed"
    # Then the shell tells every program.
    assert tray_probe(desktop, vantrel.arch, "taskbar-created") == 0
    assert wait_until(desktop.tray_icons, 30), "the icon did not come back"
    desktop.screenshot(f"tray-after-taskbar-created-{vantrel.arch}")


def test_a_restarted_tray_host_gets_the_icon_back(desktop, vantrel):
    the_icon(desktop)
    desktop.stop_tray_host()
    assert wait_until(lambda: not desktop.tray_icons(), 10)
    desktop.start_tray_host()
    assert wait_until(desktop.tray_icons, 60), "the icon did not come back"
    desktop.screenshot(f"tray-host-restarted-{vantrel.arch}")
    assert vantrel.poll() is None


def test_minimising_the_window_leaves_only_the_icon(desktop, vantrel):
    the_icon(desktop)
    show_window(desktop, vantrel.arch)
    window = main_window(desktop)
    x, y, width, _ = desktop.geometry(window)
    # The minimise box is the first of the three caption buttons.
    desktop.click(x + width - 48, y + 11)
    assert wait_until(lambda: not desktop.visible_windows(), 30), "the window or its taskbar button stays"
    assert desktop.tray_icons(), "the icon went with the window"
    desktop.screenshot(f"tray-minimised-{vantrel.arch}")


def test_exit_takes_the_icon_away(desktop, vantrel):
    the_icon(desktop)
    show_window(desktop, vantrel.arch)
    desktop.x("xdotool", "windowactivate", "--sync", main_window(desktop))
    desktop.x("xdotool", "key", "alt+F4")
    assert vantrel.wait(30) == 0
    assert wait_until(lambda: not desktop.tray_icons(), 30), "the icon outlived the program"


@pytest.mark.parametrize("arch", ["i686", "x86_64"])
def test_a_left_click_raises_on_click(desktop, tmp_path, arch):
    events = tmp_path / "events.txt"
    with events.open("w") as output:
        icon_probe = tray_probe(desktop, arch, "icon", stdout=output)
    try:
        icon = the_icon(desktop)
        assert wait_until(lambda: "ready" in events.read_text(), 60)
        assert click_icon(desktop, icon, lambda: "OnClick" in events.read_text()), events.read_text()
        lines = events.read_text().split()
    finally:
        icon_probe.kill()
        icon_probe.wait(10)
    assert " ".join(lines) == "ready OnMouseDown left OnClick OnMouseUp left"
