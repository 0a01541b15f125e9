"""The settings as a person meets them: what the window shows of a settings file, good or bad, and what the
exit from the tray writes back."""
import contextlib
import os
import subprocess

import pytest

from conftest import TITLE, probe, read_settings, show_window, start, wait_until
from test_commands import menu_command
from test_tray import the_icon

# The label left of each spin edit, by the key of its setting.
SPIN_LABELS = {"GRFSH": "Update graphics every", "TRFSH": "Update tray icon every", "CMI": "Check memory interval:",
               "MIN": "If physics memory less than", "CPU": "CPU usage <", "WAIT": "for",
               "TRYT": "Try to reach the target"}
DEFAULTS = {"AutoRun": "1", "AutoFree": "1", "Target": "16", "GRFSH": "1", "TRFSH": "1", "TRYT": "1", "LCLK": "4",
            "WAIT": "1", "CPU": "80", "IDX": "4", "MIN": "6", "CMI": "1"}


def beside(controls, label, kind):
    """The control of that class on the same row as the label, the nearest right of it."""
    found = [c for c in controls if c[3].strip() == label]
    assert found, f"no label {label!r}"
    left, top, right, bottom = found[0][1]
    row = [c for c in controls if c[0].lower() == kind and c[1][0] >= right - 2
           and c[1][1] < bottom and c[1][3] > top]
    assert row, f"nothing of class {kind} beside {label!r}"
    return min(row, key=lambda c: c[1][0])


def shown(desktop):
    """What the window shows of each setting but Target (a hidden label): the spin edits' texts, the selected
    rows of the target list (IDX) and of the click action (LCLK), the two check boxes (1 or -1)."""
    controls = wait_until(lambda: (lambda c: c if any(k[0] == "ListBox" for k in c) else None)(probe(desktop)), 60)
    assert controls, "the window's controls cannot be read"
    values = {key: beside(controls, label, "edit")[3] for key, label in SPIN_LABELS.items()}
    values["IDX"] = next(c for c in controls if c[0].lower() == "listbox")[2].split("/")[0]
    combo = next(c for c in controls if c[0].lower() == "combobox")
    values["LCLK"] = combo[2].split("/")[0]
    for key, label in (("AutoFree", "If physics memory less than"), ("AutoRun", "Auto Start with Windows")):
        box = [c for c in controls if c[0].lower() == "button" and c[2] in ("0", "1")
               and abs(c[1][1] - next(k for k in controls if k[3].strip() == label)[1][1]) < 8]
        assert box, f"no check box for {label!r}"
        values[key] = "1" if box[0][2] == "1" else "-1"
    return values


def close_from_the_tray(desktop, process):
    menu_command(desktop, the_icon(desktop), ["Up", "Return"], lambda: process.poll() is not None)
    return process.wait(30)


def written(folder):
    """The twelve keys of the settings file; other lines that the file held may stay."""
    found = read_settings(folder)
    return {key: found.get(key) for key in DEFAULTS}


def without(values, *keys):
    return {k: v for k, v in values.items() if k not in keys}


OUT_OF_RANGE = [
    b"[Vantrel]", b"IDX=40", b"CMI=9", b"MIN=99999999999", b"TRYT=-3", b"GRFSH=0", b"CPU=abc", b"WAIT=1.5",
    b"TRFSH=", b"Target=-16", b"AutoRun=0", b"AutoFree=0x", b"LCLK=12", b""]


def bad_file(name, content, expected):
    return pytest.param(expected, id=name, marks=pytest.mark.settings_file(content))


@pytest.mark.parametrize("expected", [
    # The one good line amid the junk counts.
    bad_file("binary-junk", bytes(range(256)) * 64 + b"\r\n[Vantrel]\r\nCPU=50\r\n" + bytes(range(255, -1, -1)) * 64,
             dict(DEFAULTS, CPU="50")),
    bad_file("one-megabyte-line", b"[Vantrel]\r\nCPU=" + b"7" * (1 << 20), DEFAULTS),
    # Texts are shown as they stand, except the check interval, which the edit clamps; what is not a 32-bit
    # number takes its default; an unknown left-click index selects no action.
    bad_file("out-of-range", b"\r\n".join(OUT_OF_RANGE),
             dict(DEFAULTS, CMI="6", TRYT="-3", GRFSH="0", Target="-16", AutoRun="-1", LCLK="-1")),
])
def test_a_bad_settings_file_shows_defaults_and_is_written_whole(desktop, vantrel, expected):
    show_window(desktop, vantrel.arch)
    assert shown(desktop) == without(expected, "Target")
    assert close_from_the_tray(desktop, vantrel) == 0
    assert written(vantrel.folder) == expected
    again = start(desktop, vantrel.folder)
    try:
        show_window(desktop, vantrel.arch)
        assert shown(desktop) == without(expected, "Target")
        assert close_from_the_tray(desktop, again) == 0
    finally:
        if again.poll() is None:
            again.kill()
    assert written(vantrel.folder) == expected


@contextlib.contextmanager
def read_only(*paths):
    """Nobody may change these files and folders, not even root, who ignores their modes."""
    for path in paths:
        path.chmod(path.stat().st_mode & 0o555)
    immutable = os.geteuid() == 0
    if immutable and subprocess.run(["chattr", "+i", *map(str, paths)], capture_output=True).returncode != 0:
        pytest.skip("root may write anywhere here, and files cannot be made immutable")
    try:
        yield
    finally:
        if immutable:
            subprocess.run(["chattr", "-i", *map(str, paths)], check=True)
        for path in paths:
            path.chmod(path.stat().st_mode | 0o200)


def centre(rect):
    left, top, right, bottom = rect
    return (left + right) // 2, (top + bottom) // 2


@pytest.mark.settings("CPU=50", "IDX=7", "AutoRun=-1")
@pytest.mark.skip(reason="under Wine the exit's error box opens (its trace shows it) and closes again at once, "
                  "so nobody sees it; the read-only file is covered natively by "
                  "Settings.AReadOnlyFileKeepsTheKeysWrittenBeforeTheFailure")
def test_a_settings_folder_that_cannot_be_written_at_exit(desktop, vantrel):
    settings = vantrel.folder / "Vantrel.ini"
    before = settings.read_bytes()
    icon = the_icon(desktop)
    with read_only(vantrel.folder, settings):
        told = lambda: [c[3] for c in probe(desktop) if c[3].startswith("Unable to write to")]
        try:
            menu_command(desktop, icon, ["Up", "Return"], told)
        finally:
            desktop.screenshot(f"settings-not-written-{vantrel.arch}")
        assert told() == ["Unable to write to Z:" + str(settings).replace("/", "\\") + "."]
        ok = next(c for c in probe(desktop) if c[0].lower() == "button" and c[3] == "OK")
        desktop.click(*centre(ok[1]))
        assert vantrel.wait(30) == 0
        assert settings.read_bytes() == before
    again = start(desktop, vantrel.folder)
    try:
        show_window(desktop, vantrel.arch)
        assert shown(desktop) == dict(without(DEFAULTS, "Target"), CPU="50", IDX="7", AutoRun="-1")
    finally:
        again.kill()
        again.wait(10)


def control(desktop, label, kind):
    return beside(probe(desktop), label, kind)


def type_into(desktop, label, text):
    """Clicks into the spin edit beside the label, empties it and types the text."""
    desktop.click(*centre(control(desktop, label, "edit")[1]))
    desktop.x("xdotool", "key", "End", *["BackSpace"] * 8)
    desktop.x("xdotool", "type", "--delay", "50", text)


def settled(desktop, key, value):
    assert wait_until(lambda: shown(desktop)[key] == value, 10), (key, value, shown(desktop))


def test_settings_set_through_the_controls_survive_an_exit_and_a_start(desktop, vantrel):
    icon = the_icon(desktop)
    menu_command(desktop, icon, ["s"], lambda: any(c[0] == "SysTabControl32" for c in probe(desktop)))
    tabs = next(c for c in probe(desktop) if c[0] == "SysTabControl32")[1]
    # The first tab, then the others with the Right key, as the tab strip has the focus.
    desktop.click(tabs[0] + 20, tabs[1] + 10)
    for index, name in enumerate(("action", "configuration", "startup-manager", "information")):
        if index:
            desktop.x("xdotool", "key", "Right")
        assert wait_until(lambda: next(c for c in probe(desktop) if c[0] == "SysTabControl32")[2] == str(index), 10)
        desktop.still_screenshot(f"tab-{name}-{vantrel.arch}")

    desktop.click(tabs[0] + 20, tabs[1] + 10)
    desktop.x("xdotool", "key", "Left", "Left", "Left")
    type_into(desktop, "Update graphics every", "3")
    settled(desktop, "GRFSH", "3")
    desktop.click(*centre(control(desktop, "Update tray icon every", "edit")[1]))
    desktop.x("xdotool", "key", "Up", "Up")
    settled(desktop, "TRFSH", "3")
    # The click action: "Free All", four rows below "Free 64 MB".
    desktop.click(*centre(next(c for c in probe(desktop) if c[0].lower() == "combobox")[1]))
    desktop.x("xdotool", "key", "Down", "Down", "Down", "Down")
    settled(desktop, "LCLK", "8")

    desktop.click(tabs[0] + 20, tabs[1] + 10)
    desktop.x("xdotool", "key", "Right")
    # The threshold's bounds follow the machine's memory: the arrow lifts a 1 to the lower one at least.
    type_into(desktop, "If physics memory less than", "1")
    settled(desktop, "MIN", "1")
    desktop.x("xdotool", "key", "Up")
    threshold = wait_until(lambda: (lambda v: v if v != "1" else None)(shown(desktop)["MIN"]), 10)
    assert threshold and int(threshold) >= 2
    desktop.click(*centre(control(desktop, "Check memory interval:", "edit")[1]))
    desktop.x("xdotool", "key", "Up")
    settled(desktop, "CMI", "2")
    type_into(desktop, "CPU usage <", "50")
    settled(desktop, "CPU", "50")
    left, top, right, bottom = control(desktop, "for", "msctls_updown32")[1]
    for _ in range(3):
        desktop.click((left + right) // 2, top + (bottom - top) // 4)
    settled(desktop, "WAIT", "4")
    desktop.click(*centre(control(desktop, "Try to reach the target", "edit")[1]))
    desktop.x("xdotool", "key", "Up", "Down", "Up")
    settled(desktop, "TRYT", "2")
    # The target list: its third row, "12 MB".
    target_list = next(c for c in probe(desktop) if c[0].lower() == "listbox")[1]
    desktop.click(*centre(target_list))
    desktop.x("xdotool", "key", "Home", "Down", "Down")
    settled(desktop, "IDX", "2")
    boxes = [c for c in probe(desktop) if c[0].lower() == "button" and c[2] == "1"]
    box = next(c for c in boxes if abs(c[1][1] - control(desktop, "If physics memory less than", "edit")[1][1]) < 8)
    desktop.click(*centre(box[1]))
    settled(desktop, "AutoFree", "-1")
    desktop.screenshot(f"settings-changed-{vantrel.arch}")

    expected = {"AutoRun": "1", "AutoFree": "-1", "Target": "12", "GRFSH": "3", "TRFSH": "3", "TRYT": "2",
                "LCLK": "8", "WAIT": "4", "CPU": "50", "IDX": "2", "MIN": threshold, "CMI": "2"}
    assert close_from_the_tray(desktop, vantrel) == 0
    assert read_settings(vantrel.folder) == expected
    assert list(read_settings(vantrel.folder)) == list(DEFAULTS), "the keys' order"
    again = start(desktop, vantrel.folder)
    try:
        show_window(desktop, vantrel.arch)
        assert shown(desktop) == without(expected, "Target")
    finally:
        again.kill()
        again.wait(10)
