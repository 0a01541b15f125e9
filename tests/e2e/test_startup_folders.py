"""The Startup folders on the Startup Manager page: real files of this user's Startup folder in the Wine
prefix, listed, moved down and up with real clicks, and checked on disk after each step."""
import shutil

import pytest

from conftest import BUILD, app_data, wait_until, wine, windows_path
from test_startup_approved import statuses, upper_rows, windows_10  # noqa: F401 (a fixture)
from test_startup_manager import (BACKUP_LIST, DELETE, LIVE, RESTORE, TO_BACKUP, empty_keys, list_views, open_page,
                                  press, reg, rows, select)

SHORTCUT = "\u0397\u03bc\u03b5\u03c1\u03bf\u03bb\u03cc\u03b3\u03b9\u03bf.lnk"  # Greek, as users name them
BATCH = "tidy.bat"


def startup_folder(desktop):
    return app_data(desktop) / "Microsoft" / "Windows" / "Start Menu" / "Programs" / "StartUp"


def backup_folder(desktop):
    return app_data(desktop) / "Vantrel" / "Startup-"


def files(folder):
    return {path.name: path.read_bytes() for path in folder.iterdir()} if folder.is_dir() else {}


def empty_startup(desktop):
    """No registry entries, an empty Startup folder of this user and no backup folder; the Startup folder."""
    empty_keys(desktop)
    live = startup_folder(desktop)
    shutil.rmtree(backup_folder(desktop), ignore_errors=True)
    live.mkdir(parents=True, exist_ok=True)
    for path in live.iterdir():
        path.unlink()
    return live


@pytest.fixture
def startup_files(desktop):
    """This user's Startup folder holds a shortcut made through the shell-link interface and a batch file; no
    registry entries and no backup folder."""
    live = empty_startup(desktop)
    (live / BATCH).write_bytes(b"@echo off\r\n")
    made = wine(desktop, str(BUILD / "i686" / "tests" / "shortcut_maker.exe"), windows_path(live / SHORTCUT),
                r"C:\windows\notepad.exe", "/p")
    assert made.returncode == 0, made.stdout
    yield files(live)
    for folder in (live, backup_folder(desktop)):
        for name in (SHORTCUT, BATCH):
            (folder / name).unlink(missing_ok=True)


def test_files_of_the_startup_folder_move_down_and_up_with_the_buttons(desktop, startup_files, vantrel):
    live, backup = startup_folder(desktop), backup_folder(desktop)
    open_page(desktop, vantrel.arch)
    assert wait_until(lambda: rows(list_views(desktop)[LIVE]) == 2, 10), list_views(desktop)
    desktop.still_screenshot(f"startup-folders-{vantrel.arch}")
    assert not backup.exists(), "showing made the backup folder"

    # The rows sort by name: "tidy.bat", then the Greek shortcut.
    select(desktop, LIVE, 1)
    press(desktop, TO_BACKUP)
    assert wait_until(lambda: SHORTCUT in files(backup), 10), files(backup)
    assert files(backup) == {SHORTCUT: startup_files[SHORTCUT]}
    assert files(live) == {BATCH: startup_files[BATCH]}
    select(desktop, LIVE, 0)
    press(desktop, TO_BACKUP)
    assert wait_until(lambda: files(backup) == startup_files, 10), files(backup)
    assert files(live) == {}
    assert wait_until(lambda: rows(list_views(desktop)[BACKUP_LIST]) == 2, 10), list_views(desktop)
    desktop.still_screenshot(f"startup-folders-moved-{vantrel.arch}")

    # Up again, one by one: the backup list too sorts "tidy.bat" first.
    for name, count in ((BATCH, 1), (SHORTCUT, 0)):
        select(desktop, BACKUP_LIST, 0)
        press(desktop, RESTORE)
        assert wait_until(lambda: name in files(live), 10), files(live)
        assert files(live)[name] == startup_files[name]
        assert name not in files(backup)
        assert wait_until(lambda: rows(list_views(desktop)[BACKUP_LIST]) == count, 10), list_views(desktop)
    assert files(live) == startup_files
    assert files(backup) == {}


FOLDER_SWITCHES = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\StartupFolder"


@pytest.fixture
def folder_switches(desktop):
    """The shortcut switched off by its file's name, as Windows writes it; the batch file without a switch."""
    reg(desktop, "delete", FOLDER_SWITCHES, "/f")
    assert reg(desktop, "add", FOLDER_SWITCHES, "/v", SHORTCUT, "/t", "REG_BINARY", "/d",
               "0300000000e0287c4286dd01", "/f").returncode == 0
    yield
    reg(desktop, "delete", FOLDER_SWITCHES, "/f")


def test_files_show_their_switch_from_windows_8_on(desktop, windows_10, startup_files, folder_switches, vantrel):
    open_page(desktop, vantrel.arch)
    assert wait_until(lambda: len(statuses(desktop, vantrel.arch)) == 2, 10), upper_rows(desktop, vantrel.arch)
    desktop.still_screenshot(f"startup-folders-status-{vantrel.arch}")
    assert statuses(desktop, vantrel.arch) == {("tidy.bat", "This user (folder)"): "Enabled",
                                               (SHORTCUT[:-4], "This user (folder)"): "Disabled"}


ODD_NAMES = {"trail.": b"dot", "trail": b"plain", "blank ": b"blank"}


@pytest.fixture
def odd_names(desktop):
    """Files whose names end in a dot or a blank, which Win32 paths would take for others: "trail." beside
    "trail"."""
    live = empty_startup(desktop)
    for name, content in ODD_NAMES.items():
        (live / name).write_bytes(content)
    yield
    for folder in (live, backup_folder(desktop)):
        for name in ODD_NAMES:
            (folder / name).unlink(missing_ok=True)


def test_names_ending_in_a_dot_or_a_blank_move_and_go_to_the_bin_as_themselves(desktop, odd_names, vantrel):
    live, backup = startup_folder(desktop), backup_folder(desktop)
    open_page(desktop, vantrel.arch)
    assert wait_until(lambda: rows(list_views(desktop)[LIVE]) == 3, 10), list_views(desktop)

    # Sorted by name: "blank ", "trail", "trail.".
    select(desktop, LIVE, 2)
    press(desktop, TO_BACKUP)
    assert wait_until(lambda: files(backup) == {"trail.": b"dot"}, 10), files(backup)
    assert files(live) == {"trail": b"plain", "blank ": b"blank"}
    select(desktop, BACKUP_LIST, 0)
    press(desktop, RESTORE)
    assert wait_until(lambda: files(live) == ODD_NAMES, 10), files(live)
    assert files(backup) == {}

    select(desktop, LIVE, 0)
    press(desktop, DELETE)
    assert wait_until(lambda: "blank " not in files(live), 10), files(live)
    assert files(live) == {"trail": b"plain", "trail.": b"dot"}
    assert wait_until(lambda: rows(list_views(desktop)[LIVE]) == 2, 10), list_views(desktop)
    desktop.still_screenshot(f"startup-folders-odd-names-{vantrel.arch}")
