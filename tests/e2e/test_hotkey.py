"""The hotkey for Free All: pressed, it runs Free All with its balloon; held by another program, it is refused."""
import subprocess

import pytest

from conftest import EXECUTABLES, peak_memory_mb, probe, show_window, start, tray_probe, wait_until
from test_command_line import shell_popups
from test_settings import close_from_the_tray, sections
from test_tray import the_icon

CTRL_ALT_F = 0x646  # the hotkey field's word: HOTKEYF_CONTROL | HOTKEYF_ALT, then "F"
CTRL_SHIFT_G = 0x347
HOTKEY_ON = b"[FreeMemory]\r\nHotkey=1606\r\nHotkeyOn=1\r\n"


@pytest.mark.settings_file(HOTKEY_ON)
def test_the_hotkey_runs_free_all_with_its_balloon(desktop, vantrel):
    the_icon(desktop)
    # Wine sees the keys that reach one of its windows: the pointer rests on Vantrel's.
    show_window(desktop, vantrel.arch)
    x, y, width, height = desktop.geometry(desktop.window())
    desktop.x("xdotool", "mousemove", str(x + width // 2), str(y + height // 2))
    before = peak_memory_mb(vantrel.folder)
    desktop.x("xdotool", "key", "ctrl+alt+f")
    assert wait_until(lambda: peak_memory_mb(vantrel.folder) >= before + 500, 30), "the hotkey ran no pass"
    balloon = wait_until(lambda: shell_popups(desktop, tall=True), 15)
    desktop.screenshot(f"hotkey-balloon-{vantrel.arch}")
    assert balloon, "no balloon"


@pytest.mark.settings_file(HOTKEY_ON)
def test_a_combination_typed_key_by_key_keeps_the_hotkey_on(desktop, vantrel):
    from test_logon_task import on_the_free_memory_page
    the_icon(desktop)
    on_the_free_memory_page(desktop, vantrel.arch)
    left, top, right, bottom = next(c[1] for c in probe(desktop) if c[0].lower() == "msctls_hotkey32")
    desktop.click((left + right) // 2, (top + bottom) // 2)
    ticked = lambda: [c[2] for c in probe(desktop) if c[0].lower() == "button" and c[3] == "Hotkey for Free All"]
    # As a person types Ctrl+Shift+G: the field tells of each key as it goes down.
    for key in ("ctrl", "shift"):
        desktop.x("xdotool", "keydown", key)
        assert ticked() == ["1"], f"unticked at {key}"
    desktop.x("xdotool", "keydown", "g")
    desktop.x("xdotool", "keyup", "g", "keyup", "shift", "keyup", "ctrl")
    assert close_from_the_tray(desktop, vantrel) == 0
    free_memory = dict(dict(sections(vantrel.folder))["FreeMemory"])
    assert (free_memory["Hotkey"], free_memory["HotkeyOn"]) == (str(CTRL_SHIFT_G), "1")


def test_a_combination_another_program_holds_is_refused_in_one_box(desktop, tmp_path):
    # Ctrl+Alt+F (MOD_ALT | MOD_CONTROL, "F"), before Vantrel starts with it turned on.
    holder = tray_probe(desktop, "i686", "hold-hotkey", "3", "0x46", stdout=subprocess.PIPE, text=True)
    try:
        assert holder.stdout.readline().strip() == "held"
        folder = tmp_path / "Vantrel"
        folder.mkdir()
        (folder / "Vantrel.exe").write_bytes(EXECUTABLES["i686"].read_bytes())
        (folder / "Vantrel.ini").write_bytes(HOTKEY_ON)
        process = start(desktop, folder)
        box = wait_until(lambda: [c for c in probe(desktop) if c[0] == "Static" and "key combination" in c[3]], 60)
        desktop.still_screenshot("hotkey-taken-box")
        assert box, "no box"
        left, top, right, bottom = next(rect for kind, rect, _, text in probe(desktop) if kind == "Button")
        desktop.click((left + right) // 2, (top + bottom) // 2)
        the_icon(desktop)
        assert close_from_the_tray(desktop, process) == 0
        free_memory = dict(dict(sections(folder))["FreeMemory"])
        assert (free_memory["Hotkey"], free_memory["HotkeyOn"]) == (str(CTRL_ALT_F), "0")
    finally:
        holder.kill()
        holder.wait(10)
