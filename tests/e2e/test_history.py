"""The History tab: each pass from the tray menu is listed, watched for a minute, and written to the log file."""
import re
import subprocess
import time

import pytest

from conftest import BUILD, ROOT, TITLE, probe, show_window, wait_until, wine_env
from test_commands import menu_command
from test_tray import the_icon

FIGURE = re.compile(r"[0-9]+|not measured")


def history_rows(desktop, arch):
    """The History list's rows (Time, Kind, Freed, Back in use, Read from disk), newest first: the list of five
    columns whose rows name a kind of pass (the Startup Manager's lists show programs)."""
    result = subprocess.run([str(ROOT / "scripts" / "wine"), str(BUILD / arch / "tests" / "window_probe.exe"),
                             "--rows", TITLE], env=wine_env(desktop), capture_output=True, text=True)
    lists, rows = [], None
    for line in result.stdout.splitlines():
        cells = line.split("\t")
        if cells[0] == "list":
            rows = []
            lists.append(rows)
        elif rows is not None:
            rows.append(cells)
    return next((rows for rows in lists if rows and rows[0][1] == "menu"), [])


def until_watched(desktop, arch, count, seconds):
    """Waits until `count` rows have their figures; their rows. A screenshot tells what showed otherwise."""
    rows = wait_until(lambda: (lambda rows: len(watched(rows)) == count and rows)(history_rows(desktop, arch)),
                      seconds)
    if not rows:
        desktop.screenshot(f"history-not-watched-{arch}")
    assert rows, history_rows(desktop, arch)
    return rows


def watched(rows):
    return [row for row in rows if len(row) == 5 and all(FIGURE.fullmatch(cell) for cell in row[2:])]


@pytest.mark.settings_file(b"[History]\r\nLog=1\r\n")
def test_two_passes_from_the_menu_are_listed_with_their_figures_and_logged(desktop, vantrel):
    icon = the_icon(desktop)
    # The probe reads the list of a shown window, on the History tab, whose page is made when it first shows.
    show_window(desktop, vantrel.arch)
    tabs = wait_until(lambda: next((c[1] for c in probe(desktop) if c[0] == "SysTabControl32"), None), 30)
    desktop.click(tabs[0] + 20, tabs[1] + 10)
    for _ in range(5):
        desktop.x("xdotool", "key", "Right")
    assert wait_until(lambda: any(c[3] == "Keep a log file" for c in probe(desktop) if c[0] == "Button"), 10)
    # Each watched to its end: the second comes after the first's minute.
    menu_command(desktop, icon, ["a"], lambda: len(history_rows(desktop, vantrel.arch)) == 1, 30)
    until_watched(desktop, vantrel.arch, 1, 75)
    menu_command(desktop, icon, ["a"], lambda: len(history_rows(desktop, vantrel.arch)) == 2, 30)
    assert history_rows(desktop, vantrel.arch)[0][3] == "\u2026", "the second is watched"
    time.sleep(60)
    rows = until_watched(desktop, vantrel.arch, 2, 15)

    time.sleep(2)
    desktop.still_screenshot(f"history-tab-{vantrel.arch}")
    print("History rows under Wine:", rows)

    log = (vantrel.folder / "Vantrel-passes.csv").read_text().splitlines()
    assert log[0] == "time,kind,regions,MB before,MB after,MB 60 s after,MB read from disk"
    assert [line.split(",")[1] for line in log[1:]] == ["menu", "menu"], log
    # The log says what the list says, oldest first.
    assert [line.split(",")[-1] for line in log[1:]] == [row[4] for row in reversed(rows)], (log, rows)
