"""The start with administrator rights at log-on under Wine: the Free Memory tab's box through the Task
Scheduler service, and "/logon" beside a running copy."""
import subprocess
import time

import pytest

from conftest import EXECUTABLES, ROOT, forget_auto_start, probe, show_window, wait_until, wine, wine_env
from test_command_line import docked, start_switch
from test_settings import auto_start_entries, boxes_opened, centre, close_from_the_tray, program_folder, running
from test_tray import the_icon

CAPTION = "Start as administrator at log-on (no prompt)"


def test_logon_with_a_copy_running_ends_at_once_showing_nothing(desktop, vantrel):
    the_icon(desktop)
    exe = vantrel.folder / "Vantrel.exe"
    began = time.monotonic()
    assert start_switch(desktop, exe, "/logon").wait(30) == 0
    assert time.monotonic() - began < 10
    assert not desktop.visible_windows(), "a window showed"
    assert docked(desktop) == 1
    assert vantrel.poll() is None

    # Alone, it starts as a start without a switch does: in the notification area.
    vantrel.kill()
    vantrel.wait(10)
    assert wait_until(lambda: docked(desktop) == 0, 15)
    with running(start_switch(desktop, exe, "/LOGON")) as alone:
        the_icon(desktop)
        assert alone.poll() is None
        assert not desktop.visible_windows()


def on_the_free_memory_page(desktop, arch):
    show_window(desktop, arch)
    tabs = wait_until(lambda: [c for c in probe(desktop) if c[0] == "SysTabControl32"], 30)
    assert tabs, "no tabs"
    desktop.click(tabs[0][1][0] + 20, tabs[0][1][1] + 10)
    desktop.x("xdotool", "key", "Right", "Right", "Right", "Right")
    assert wait_until(lambda: next(c for c in probe(desktop) if c[0] == "SysTabControl32")[2] == "4", 10)


def logon_box(desktop):
    """The box beside the caption: its rectangle and state ("0" or "1")."""
    controls = probe(desktop)
    label = next(c for c in controls if c[3].strip() == CAPTION)
    box = [c for c in controls if c[0].lower() == "button" and c[2] in ("0", "1") and abs(c[1][1] - label[1][1]) < 8]
    assert box, "no box beside the caption"
    return box[0][1], box[0][2]


@pytest.mark.parametrize("arch", sorted(EXECUTABLES))
def test_a_program_that_others_may_change_is_not_registered_and_the_box_says_why(desktop, tmp_path, arch):
    """Wine keeps no file permissions: every file answers this user as its owner, with full access, so that no
    path is one that only administrators may change. Ticking the box reads the executable's security, registers
    nothing, says why once and leaves the Run value as it was."""
    # Wine keeps a registered task as a file of that name in its folder.
    tasks = desktop.prefix / "drive_c" / "windows" / "system32" / "tasks"
    wine(desktop, "schtasks", "/delete", "/tn", "Vantrel", "/f")
    forget_auto_start(desktop)
    folder = program_folder(tmp_path, arch)
    trace = tmp_path / "trace.txt"
    env = dict(wine_env(desktop), VANTREL_WINEDEBUG="+dialog,+taskschd")
    command = [str(ROOT / "scripts" / "wine"), str(folder / "Vantrel.exe")]
    with open(trace, "ab") as out, running(subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                                                             stderr=out)) as process:
        the_icon(desktop)
        # Written once the task's answer has come.
        before = wait_until(lambda: auto_start_entries(desktop), 10)
        assert before, "no Run value to keep"
        on_the_free_memory_page(desktop, arch)
        rect, state = logon_box(desktop)
        assert state == "0"
        desktop.screenshot(f"logon-task-box-{arch}")
        desktop.click(*centre(rect))
        box = wait_until(lambda: [c for c in probe(desktop) if c[0] == "Static" and "log-on" in c[3]], 30)
        desktop.still_screenshot(f"logon-task-refused-{arch}")
        assert box, "no box"
        text = box[0][3]
        assert text.startswith("Vantrel could not set itself to start as administrator at log-on: programs "
                               "without administrator rights may change "), text
        assert text.endswith("Vantrel.exe. Move Vantrel into Program Files, then tick the box again."), text
        left, top, right, bottom = next(c[1] for c in probe(desktop) if c[0] == "Button")
        desktop.click((left + right) // 2, (top + bottom) // 2)
        assert wait_until(lambda: logon_box(desktop)[1] == "0", 10), "the box stays ticked"
        assert not tasks.is_dir() or "vantrel" not in [p.name.lower() for p in tasks.iterdir()], "a task is there"
        assert auto_start_entries(desktop) == before
        assert close_from_the_tray(desktop, process) == 0
    assert boxes_opened(trace) == 1
    assert "RegisterTask" not in trace.read_text(errors="replace")
