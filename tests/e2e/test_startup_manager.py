"""The Startup Manager page against the real registry of the Wine prefix, driven by clicks and keystrokes."""
import subprocess
import time

import pytest

from conftest import ROOT, restore_minimised, wait_until, wine_env
from test_lifecycle import main_window

RUN = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Run"
BACKUP = RUN + "-"
# From the window's top left corner: the first row of each list, the step between rows, the five buttons.
LIVE_ROW, BACKUP_ROW, ROW_STEP, ROW_X = 72, 218, 17, 60
BUTTONS_Y = 179
ADD, DELETE, TO_BACKUP, RESTORE = 19, 39, 59, 79


def reg(desktop, *arguments):
    """The registry tool, in the 64-bit programs' view, which both builds must reach."""
    return subprocess.run([str(ROOT / "scripts" / "wine"), "reg", *arguments, "/reg:64"], env=wine_env(desktop),
                          capture_output=True, text=True)


def values(desktop, key):
    """The values of a key as the registry tool shows them: name -> (type, data)."""
    found = {}
    for line in reg(desktop, "query", key).stdout.splitlines():
        parts = line.strip().split("    ")
        if len(parts) >= 2 and parts[1].startswith("REG_"):
            found[parts[0]] = (parts[1], parts[2] if len(parts) > 2 else "")
    return found


@pytest.fixture
def entries(desktop):
    """Both keys hold only the entries of the test; the program is started after this."""
    for key in (RUN, BACKUP):
        reg(desktop, "add", key, "/f")
        reg(desktop, "delete", key, "/va", "/f")
    reg(desktop, "add", RUN, "/v", "Alpha", "/d", r"C:\alpha.exe", "/f")
    reg(desktop, "add", RUN, "/v", "Beta", "/t", "REG_EXPAND_SZ", "/d", r"%SystemRoot%\beta.exe", "/f")
    reg(desktop, "add", RUN, "/v", "TkBellExe", "/d", r"C:\bell.exe", "/f")
    reg(desktop, "add", BACKUP, "/v", "Gamma", "/d", r"C:\gamma.exe", "/f")


def open_page(desktop):
    restore_minimised(desktop)
    window = main_window(desktop)
    time.sleep(1.5)
    x, y, _, _ = desktop.geometry(window)
    return x, y


def test_move_to_backup_and_restore_keep_the_entry_whole(desktop, entries, vantrel):
    x, y = open_page(desktop)
    desktop.screenshot(f"startup-manager-{vantrel.arch}")
    beta = values(desktop, RUN)["Beta"]

    desktop.click(x + ROW_X, y + LIVE_ROW + ROW_STEP)  # Beta
    desktop.click(x + TO_BACKUP, y + BUTTONS_Y)
    assert wait_until(lambda: "Beta" in values(desktop, BACKUP), 10), values(desktop, BACKUP)
    assert values(desktop, BACKUP)["Beta"] == beta
    assert set(values(desktop, RUN)) == {"Alpha", "TkBellExe", "Vantrel"}
    time.sleep(0.5)
    desktop.screenshot(f"startup-manager-moved-{vantrel.arch}")

    desktop.click(x + ROW_X, y + BACKUP_ROW)  # Beta, before Gamma
    desktop.click(x + RESTORE, y + BUTTONS_Y)
    assert wait_until(lambda: "Beta" in values(desktop, RUN), 10), values(desktop, RUN)
    assert values(desktop, RUN)["Beta"] == beta
    assert set(values(desktop, BACKUP)) == {"Gamma"}


def test_add_through_the_file_dialog_and_delete(desktop, entries, vantrel):
    program = vantrel.folder / "My App.exe"
    program.write_bytes(b"MZ")
    path = "Z:" + str(program).replace("/", "\\")
    x, y = open_page(desktop)

    desktop.click(x + ADD, y + BUTTONS_Y)
    dialog = desktop.window("Open", 30)
    desktop.x("xdotool", "windowactivate", "--sync", dialog)
    time.sleep(0.5)
    desktop.x("xdotool", "type", "--delay", "20", path)
    desktop.x("xdotool", "key", "Return")
    assert wait_until(lambda: "My App.exe" in values(desktop, RUN), 15), values(desktop, RUN)
    assert values(desktop, RUN)["My App.exe"] == ("REG_SZ", path)

    time.sleep(0.5)
    desktop.click(x + ROW_X, y + LIVE_ROW + 2 * ROW_STEP)  # after Alpha and Beta
    desktop.click(x + DELETE, y + BUTTONS_Y)
    assert wait_until(lambda: "My App.exe" not in values(desktop, RUN), 10), values(desktop, RUN)
    assert set(values(desktop, RUN)) == {"Alpha", "Beta", "TkBellExe", "Vantrel"}
