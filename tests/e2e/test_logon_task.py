"""The start with administrator rights at log-on under Wine: the Free Memory tab's box through the Task
Scheduler service, and "/logon" beside a running copy."""
import subprocess
import time

import pytest

from conftest import EXECUTABLES, ROOT, probe, show_window, wait_until, wine, wine_env
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
def test_wine_keeps_no_action_of_the_task_and_the_program_says_so_and_keeps_its_run_value(desktop, tmp_path, arch):
    """Wine's Task Scheduler answers the registration as done, but its reader of a task's triggers and actions is
    a stub: the task it keeps would start nothing. The program reads the task back, says so once, deletes it
    and leaves its Run value as it was."""
    # Wine keeps a registered task as a file of that name in its folder.
    tasks = desktop.prefix / "drive_c" / "windows" / "system32" / "tasks"
    wine(desktop, "schtasks", "/delete", "/tn", "Vantrel", "/f")
    folder = program_folder(tmp_path, arch)
    trace = tmp_path / "trace.txt"
    env = dict(wine_env(desktop), VANTREL_WINEDEBUG="+dialog,+taskschd")
    command = [str(ROOT / "scripts" / "wine"), str(folder / "Vantrel.exe")]
    with open(trace, "ab") as out, running(subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                                                             stderr=out)) as process:
        the_icon(desktop)
        before = auto_start_entries(desktop)
        assert before, "no Run value to keep"
        on_the_free_memory_page(desktop, arch)
        rect, state = logon_box(desktop)
        assert state == "0"
        desktop.screenshot(f"logon-task-box-{arch}")
        desktop.click(*centre(rect))
        box = wait_until(lambda: [c for c in probe(desktop) if c[0] == "Static" and "log-on" in c[3]], 30)
        desktop.still_screenshot(f"logon-task-refused-{arch}")
        assert box, "no box"
        assert box[0][3] == ("Vantrel could not set itself to start as administrator at log-on: the Task "
                             "Scheduler did not keep the task.")
        left, top, right, bottom = next(c[1] for c in probe(desktop) if c[0] == "Button")
        desktop.click((left + right) // 2, (top + bottom) // 2)
        assert wait_until(lambda: logon_box(desktop)[1] == "0", 10), "the box stays ticked"
        assert tasks.is_dir(), "Wine's Task Scheduler keeps no folder of tasks"
        assert "vantrel" not in [path.name.lower() for path in tasks.iterdir()], "the task that starts nothing stays"
        assert auto_start_entries(desktop) == before
        assert close_from_the_tray(desktop, process) == 0
    log = trace.read_text(errors="replace")
    assert boxes_opened(trace) == 1
    # What Wine was given: this user's log-on, the highest run level on the user's desktop, no time limit.
    for value in ('L"HighestAvailable"', 'L"InteractiveToken"', 'L"PT0S"', 'Element: L"LogonTrigger"',
                  'Element: L"Command"'):
        assert value in log, value
    assert "read_actions stub" in log and "read_triggers stub" in log
