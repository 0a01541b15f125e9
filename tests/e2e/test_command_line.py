"""The switches under Wine: a pass from the command line alone and with a copy running, the exit code of
each switch and the box of a wrong one, and the balloon after the menu's "Free All"."""
import subprocess
import sys
import time
from pathlib import Path

from conftest import ROOT, peak_memory_mb, probe, wait_until, wine_env
from test_commands import menu_command
from test_tray import centre, the_icon

# Runs a command and prints its exit code and the highest resident memory of the processes it waited for, in KB.
PEAK = ("import resource, subprocess, sys\n"
        "code = subprocess.run(sys.argv[1:]).returncode\n"
        "print(code, resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)\n")


def docked(desktop):
    """The number of icons docked; an icon that goes while it is being looked at counts as gone."""
    try:
        return len(desktop.tray_icons())
    except KeyError:
        return 0


def programs(folder):
    """The Linux processes that run a program of this folder, named in Linux's or in Windows' form."""
    found = []
    for proc in Path("/proc").iterdir():
        try:
            if folder.parent.name in (proc / "cmdline").read_text(errors="replace"):
                found.append(proc)
        except OSError:
            continue
    return found


def high_water_mb(proc):
    """The highest resident memory of a process so far, in MB; 0 once it has gone."""
    try:
        for line in (proc / "status").read_text().splitlines():
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) // 1024
    except (OSError, ValueError):
        pass
    return 0


def run_measured(desktop, exe, *arguments):
    """Runs Vantrel.exe with these arguments to its end, watching the tray meanwhile: its exit code, its peak
    memory in MB and the most icons seen docked. The peak is read both ways: Wine runs a 32-bit program in the
    process it was started in, a 64-bit one in a process of its own that only /proc shows, read as often as it
    can be until it ends."""
    process = subprocess.Popen([sys.executable, "-c", PEAK, str(ROOT / "scripts" / "wine"), str(exe), *arguments],
                               env=wine_env(desktop), stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    icons = peak = 0
    while process.poll() is None:
        icons = max(icons, docked(desktop))
        watched = programs(exe.parent)
        for _ in range(20):
            peak = max([peak] + [high_water_mb(proc) for proc in watched])
    code, waited = process.stdout.read().split()
    return int(code), max(peak, int(waited) // 1024), icons


def start_switch(desktop, exe, *arguments):
    return subprocess.Popen([str(ROOT / "scripts" / "wine"), str(exe), *arguments], env=wine_env(desktop),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def test_free_64_alone_runs_its_pass_without_an_icon(desktop, vantrel):
    # The fixture's copy is only the source of the executable here: it goes before the lone runs.
    the_icon(desktop)
    vantrel.kill()
    vantrel.wait(10)
    assert wait_until(lambda: docked(desktop) == 0, 15)
    exe = vantrel.folder / "Vantrel.exe"
    code, baseline, _ = run_measured(desktop, exe, "/free", "1")
    assert code == 0
    code, peak, icons = run_measured(desktop, exe, "/FREE", "64")
    assert (code, icons) == (0, 0)
    assert peak >= baseline + 60, (baseline, peak)
    assert not (vantrel.folder / "Vantrel.ini").exists(), "no settings written"


def test_free_64_with_a_copy_running_is_handed_over(desktop, vantrel):
    the_icon(desktop)
    before = peak_memory_mb(vantrel.folder)
    began = time.monotonic()
    assert start_switch(desktop, vantrel.folder / "Vantrel.exe", "-free", "64").wait(30) == 0
    assert time.monotonic() - began < 10
    assert wait_until(lambda: peak_memory_mb(vantrel.folder) >= before + 60, 30), "the running copy made no pass"
    assert docked(desktop) == 1
    assert vantrel.poll() is None


def test_each_switch_ends_with_its_exit_code(desktop, vantrel):
    # Alone, as from a scheduled task: the fixture's copy only brings the executable.
    the_icon(desktop)
    vantrel.kill()
    vantrel.wait(10)
    exe = vantrel.folder / "Vantrel.exe"
    assert start_switch(desktop, exe, "-FreeAll").wait(60) == 0
    for arguments, first_line, code in ((["/?"], "Vantrel [/free N | /freeall | /logon | /?]", 0),
                                         (["--freeall"], "Unknown switch: --freeall", 2),
                                         (["/free", "5000"], "/free needs a whole number from 1 to 1024: 5000", 2),
                                         (["/free"], "/free needs a whole number from 1 to 1024", 2)):
        switch = start_switch(desktop, exe, *arguments)
        box = wait_until(lambda: probe(desktop, "Vantrel"), 30)
        assert box, f"no box for {arguments}"
        desktop.still_screenshot(f"switches-box-{code}-{vantrel.arch}")
        texts = [text for kind, _, _, text in box if kind == "Static" and text]
        assert texts and texts[0].startswith(first_line + " "), texts
        assert "/free N" in texts[0]
        assert switch.poll() is None, "it ends only once the box is closed"
        left, top, right, bottom = next(rect for kind, rect, _, text in box if kind == "Button")
        desktop.click((left + right) // 2, (top + bottom) // 2)
        assert switch.wait(30) == code, arguments


def shell_popups(desktop, tall):
    """The shell's tips (one line) or balloons (title and text, taller): windows of their own, far wider than
    an icon. One that goes while it is being looked at is not counted."""
    popups = []
    for window in desktop.visible_windows("explorer.exe"):
        try:
            _, _, width, height = desktop.geometry(window)
        except KeyError:
            continue
        if width > 100 and (height > 30) == tall:
            popups.append(window)
    return popups


def test_the_tip_names_the_figures(desktop, vantrel):
    icon = the_icon(desktop)
    # The pointer rests on the icon, as a person's would.
    desktop.x("xdotool", "mousemove", *map(str, centre(icon)))
    tip = wait_until(lambda: shell_popups(desktop, tall=False), 15)
    desktop.screenshot(f"tip-{vantrel.arch}")
    assert tip, "no tip"


def test_free_all_from_the_menu_ends_in_a_balloon(desktop, vantrel):
    icon = the_icon(desktop)
    menu_command(desktop, icon, ["a"], lambda: peak_memory_mb(vantrel.folder) >= 500)
    balloon = wait_until(lambda: shell_popups(desktop, tall=True), 15)
    desktop.screenshot(f"balloon-{vantrel.arch}")
    assert balloon, "no balloon"
