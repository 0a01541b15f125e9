"""The settings as a person meets them: what the window shows of a settings file, good or bad, and what the
exit from the tray writes back."""
import contextlib
import os
import subprocess

import pytest

from conftest import (EXECUTABLES, MACHINE_RUN, ROOT, TITLE, USER_RUN, app_data, forget_auto_start, probe,
                      read_settings, show_window, start, wait_until, windows_path, wine, wine_env)
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


def sections(folder):
    """The settings file's sections in their order: (name, [(key, value), ...])."""
    found = []
    for line in (folder / "Vantrel.ini").read_bytes().decode("latin-1").splitlines():
        line = line.strip()
        if line.startswith("["):
            found.append((line.strip("[]"), []))
        elif found and "=" in line:
            found[-1][1].append(tuple(part.strip() for part in line.split("=", 1)))
    return found


FREE_MEMORY_DEFAULTS = [("WorkingSets", "1"), ("FileCache", "1"), ("StandbyLowPriority", "1"), ("Standby", "0"),
                        ("ModifiedList", "0"), ("CombinedPages", "0"), ("RegistryCache", "0"),
                        ("BelowPercent", "0"), ("CooldownMinutes", "5"), ("Hotkey", "0"), ("HotkeyOn", "0")]


def test_the_first_exit_writes_the_free_memory_window_and_history_sections_beside_the_twelve_keys(desktop,
                                                                                                    vantrel):
    the_icon(desktop)
    assert close_from_the_tray(desktop, vantrel) == 0
    assert sections(vantrel.folder) == [
        ("Vantrel", [("AutoRun", "1"), ("AutoFree", "1"), ("Target", "16"), ("GRFSH", "1"), ("TRFSH", "1"),
                     ("TRYT", "1"), ("LCLK", "4"), ("WAIT", "1"), ("CPU", "80"), ("IDX", "4"), ("MIN", "6"),
                     ("CMI", "1")]),
        ("FreeMemory", FREE_MEMORY_DEFAULTS),
        ("Window", [("Width", "452"), ("Height", "311"), ("HideWindowsEntries", "1")]),
        ("History", [("Log", "0")]),
        ("Tray", [("LowPercent", "20"), ("CriticalPercent", "10"), ("LowColor", "B04A00"),
                  ("CriticalColor", "C00000")])]


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


def program_folder(tmp_path, arch, name="Vantrel", settings=None):
    """A folder of its own with a copy of the program, and the settings file given."""
    folder = tmp_path / name
    folder.mkdir()
    (folder / "Vantrel.exe").write_bytes(EXECUTABLES[arch].read_bytes())
    if settings:
        (folder / "Vantrel.ini").write_text("\r\n".join(["[Vantrel]", *settings, ""]))
    return folder


def start_watched(desktop, folder, trace):
    """Starts the program of this folder with the system's dialogs traced into the file `trace`."""
    env = dict(wine_env(desktop), VANTREL_WINEDEBUG="+dialog")
    with open(trace, "ab") as out:
        return subprocess.Popen([str(ROOT / "scripts" / "wine"), str(folder / "Vantrel.exe")], env=env,
                                stdout=subprocess.DEVNULL, stderr=out)


def boxes_opened(trace):
    """The message boxes a program opened, from its trace: under Wine a box may close before anyone sees it."""
    return trace.read_text(errors="replace").count("DIALOG_CreateIndirect")


@contextlib.contextmanager
def running(process):
    try:
        yield process
    finally:
        if process.poll() is None:
            process.kill()
            process.wait(10)


def auto_start_entries(desktop):
    """The Vantrel entries of the two Run keys: key -> (type, data)."""
    found = {key: values(desktop, key).get("Vantrel") for key in (MACHINE_RUN, USER_RUN)}
    return {key: entry for key, entry in found.items() if entry}


def values(desktop, key):
    """The values of a key (in the 64-bit programs' view) as the registry tool shows them: name -> (type, data)."""
    found = {}
    for line in wine(desktop, "reg", "query", key, "/reg:64").stdout.splitlines():
        parts = line.strip().split("    ")
        if len(parts) >= 2 and parts[1].startswith("REG_"):
            found[parts[0]] = (parts[1], parts[2] if len(parts) > 2 else "")
    return found


def on_the_action_page(desktop):
    tabs = next(c for c in probe(desktop) if c[0] == "SysTabControl32")[1]
    desktop.click(tabs[0] + 20, tabs[1] + 10)
    desktop.x("xdotool", "key", "Left", "Left", "Left")


@pytest.mark.parametrize("arch", sorted(EXECUTABLES))
def test_a_standard_user_keeps_settings_and_auto_start_of_their_own(desktop, standard_user, tmp_path, arch):
    folder = program_folder(tmp_path, arch)
    trace = tmp_path / "trace.txt"
    expected = dict(DEFAULTS, GRFSH="3")
    with read_only(folder):
        with running(start_watched(desktop, folder, trace)) as first:
            show_window(desktop, arch)
            # Automatic reclaim is on, as everything else is as it should be without a file.
            assert shown(desktop) == without(DEFAULTS, "Target")
            on_the_action_page(desktop)
            type_into(desktop, "Update graphics every", "3")
            settled(desktop, "GRFSH", "3")
            desktop.still_screenshot(f"standard-user-{arch}")
            assert close_from_the_tray(desktop, first) == 0
        assert not (folder / "Vantrel.ini").exists()
        assert written(app_data(desktop) / "Vantrel") == expected
        assert auto_start_entries(desktop) == {USER_RUN: ("REG_SZ", windows_path(folder / "Vantrel.exe"))}

        with running(start_watched(desktop, folder, trace)) as again:
            show_window(desktop, arch)
            assert shown(desktop) == without(expected, "Target")
            assert close_from_the_tray(desktop, again) == 0
    assert written(app_data(desktop) / "Vantrel") == expected
    assert auto_start_entries(desktop) == {USER_RUN: ("REG_SZ", windows_path(folder / "Vantrel.exe"))}
    assert boxes_opened(trace) == 0


@pytest.mark.parametrize("arch", sorted(EXECUTABLES))
def test_a_settings_folder_that_turns_read_only_sends_the_exit_to_the_users_folder(desktop, standard_user, tmp_path,
                                                                                  arch):
    folder = program_folder(tmp_path, arch, settings=["CPU=50", "IDX=7", "AutoRun=-1"])
    settings = folder / "Vantrel.ini"
    before = settings.read_bytes()
    trace = tmp_path / "trace.txt"
    with running(start_watched(desktop, folder, trace)) as process:
        icon = the_icon(desktop)
        with read_only(folder, settings):
            menu_command(desktop, icon, ["Up", "Return"], lambda: process.poll() is not None)
            assert process.wait(30) == 0
            assert settings.read_bytes() == before
    assert written(app_data(desktop) / "Vantrel") == dict(DEFAULTS, CPU="50", IDX="7", AutoRun="-1")
    assert boxes_opened(trace) == 0


@pytest.fixture
def no_auto_start(desktop):
    forget_auto_start(desktop)
    yield
    forget_auto_start(desktop)


def exported_entry(desktop, tmp_path):
    """Vantrel's entry in the machine's Run key as the registry tool exports it, every character kept."""
    exported = tmp_path / "run.reg"
    wine(desktop, "reg", "export", MACHINE_RUN, windows_path(exported), "/y", "/reg:64")
    for line in exported.read_bytes().decode("utf-16").splitlines():
        if line.startswith('"Vantrel"="'):
            return line[len('"Vantrel"="'):-1].replace('\\"', '"').replace("\\\\", "\\")
    return None


def test_a_folder_named_in_greek_and_chinese_keeps_its_settings_and_a_true_auto_start(desktop, no_auto_start,
                                                                                     tmp_path):
    folder = program_folder(tmp_path, "i686", name="Πρόγραμμα 内存", settings=["CPU=50"])
    expected = dict(DEFAULTS, CPU="50")
    with running(start(desktop, folder)) as first:
        show_window(desktop, "i686")
        assert shown(desktop) == without(expected, "Target")
        assert close_from_the_tray(desktop, first) == 0
    assert written(folder) == expected
    assert exported_entry(desktop, tmp_path) == '"' + windows_path(folder / "Vantrel.exe") + '"'


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
