"""The Startup Manager page against the real registry of the Wine prefix, driven by clicks and keystrokes."""
import shutil
import subprocess

import pytest

from conftest import (BUILD, ROOT, TITLE, probe, send_message, show_window, start, wait_until, wine_env,
                      windows_path)
from test_lifecycle import main_window

RUN = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Run"
BACKUP = RUN + "-"
USER_RUN = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
USER_BACKUP = USER_RUN + "-"
# The scopes in the lists' order: their Run and backup keys, and the registry view that reaches them.
SCOPES = [("All users", RUN, BACKUP, "64"), ("All users (32-bit)", RUN, BACKUP, "32"),
          ("This user", USER_RUN, USER_BACKUP, "64")]
LIVE, BACKUP_LIST = 0, 1
# A list row's height at 96 DPI: the 16-pixel row image and a line of the 8-point font.
ROW_HEIGHT = 17
# The buttons between the lists, left to right.
ADD, DELETE, TO_BACKUP, RESTORE = range(4)


def reg(desktop, *arguments, view="64"):
    """The registry tool, in the 64-bit programs' view unless told otherwise."""
    return subprocess.run([str(ROOT / "scripts" / "wine"), "reg", *arguments, f"/reg:{view}"],
                          env=wine_env(desktop), capture_output=True, text=True, errors="replace")


def values(desktop, key, view="64"):
    """The values of a key as the registry tool shows them: name -> (type, data)."""
    found = {}
    for line in reg(desktop, "query", key, view=view).stdout.splitlines():
        parts = line.strip().split("    ")
        if len(parts) >= 2 and parts[1].startswith("REG_"):
            found[parts[0]] = (parts[1], parts[2] if len(parts) > 2 else "")
    return found


def empty_keys(desktop):
    """The keys of every scope are there and hold no values."""
    for _, run, backup, view in SCOPES:
        for key in (run, backup):
            reg(desktop, "add", key, "/f", view=view)
            reg(desktop, "delete", key, "/va", "/f", view=view)


@pytest.fixture
def entries(desktop):
    """The keys hold only the entries of the test; the program is started after this."""
    empty_keys(desktop)
    reg(desktop, "add", RUN, "/v", "Alpha", "/d", r"C:\alpha.exe", "/f")
    reg(desktop, "add", RUN, "/v", "Beta", "/t", "REG_EXPAND_SZ", "/d", r"%SystemRoot%\beta.exe", "/f")
    reg(desktop, "add", RUN, "/v", "TkBellExe", "/d", r"C:\bell.exe", "/f")
    reg(desktop, "add", BACKUP, "/v", "Gamma", "/d", r"C:\gamma.exe", "/f")


def rows(view):
    return int(view[2].split("/")[1])


def open_page(desktop, arch):
    show_window(desktop, arch)
    main_window(desktop)
    assert wait_until(lambda: list_views(desktop) and rows(list_views(desktop)[LIVE]) > 0, 30), "the page is empty"


def select(desktop, which, row):
    """Clicks a row of a list, found below the list's header, until the list has it selected."""
    chosen = lambda: list_views(desktop)[which][2].split("/")[0] == str(row)
    left, top, right, bottom = list_views(desktop)[which][1]
    header = next(c[1] for c in probe(desktop) if c[0] == "SysHeader32" and top <= c[1][1] < bottom)
    y = header[3] + row * ROW_HEIGHT + ROW_HEIGHT // 2
    assert wait_until(lambda: desktop.click(left + 40, y) or wait_until(chosen, 3), 20, 0), list_views(desktop)


def press(desktop, button):
    """Clicks one of the page's buttons: the flat ones without a caption, between the lists."""
    live, backup = list_views(desktop)
    buttons = sorted((c for c in probe(desktop) if c[0].lower() == "button" and c[2] == "-"
                      and live[1][3] <= c[1][1] < backup[1][1]), key=lambda c: c[1][0])
    assert len(buttons) == 5, buttons
    left, top, right, bottom = buttons[button][1]
    desktop.click((left + right) // 2, (top + bottom) // 2)


def test_move_to_backup_and_restore_keep_the_entry_whole(desktop, entries, vantrel):
    open_page(desktop, vantrel.arch)
    desktop.screenshot(f"startup-manager-{vantrel.arch}")
    beta = values(desktop, RUN)["Beta"]

    select(desktop, LIVE, 1)  # Beta
    press(desktop, TO_BACKUP)
    assert wait_until(lambda: "Beta" in values(desktop, BACKUP), 10), values(desktop, BACKUP)
    assert values(desktop, BACKUP)["Beta"] == beta
    assert set(values(desktop, RUN)) == {"Alpha", "TkBellExe", "Vantrel"}
    desktop.still_screenshot(f"startup-manager-moved-{vantrel.arch}")

    select(desktop, BACKUP_LIST, 0)  # Beta, before Gamma
    press(desktop, RESTORE)
    assert wait_until(lambda: "Beta" in values(desktop, RUN), 10), values(desktop, RUN)
    assert values(desktop, RUN)["Beta"] == beta
    assert set(values(desktop, BACKUP)) == {"Gamma"}


def test_add_through_the_file_dialog_and_delete(desktop, entries, vantrel):
    program = vantrel.folder / "My App.exe"
    program.write_bytes(b"MZ")
    path = "Z:" + str(program).replace("/", "\\")
    open_page(desktop, vantrel.arch)

    press(desktop, ADD)
    dialog = desktop.window("Open", 30)

    def typed():
        # The name box takes keys only once the dialog has settled: type again until it holds the path.
        desktop.x("xdotool", "windowactivate", "--sync", dialog)
        desktop.x("xdotool", "key", "End", *["BackSpace"] * (len(path) + 8))
        desktop.x("xdotool", "type", "--delay", "20", path)
        return wait_until(lambda: any(c[3] == path for c in probe(desktop, "Open")), 3)

    assert wait_until(typed, 30, 0), probe(desktop, "Open")
    desktop.x("xdotool", "key", "Return")
    assert wait_until(lambda: "My App.exe" in values(desktop, RUN), 15), values(desktop, RUN)
    assert values(desktop, RUN)["My App.exe"] == ("REG_SZ", path)

    select(desktop, LIVE, 2)  # after Alpha and Beta
    press(desktop, DELETE)
    assert wait_until(lambda: "My App.exe" not in values(desktop, RUN), 10), values(desktop, RUN)
    assert set(values(desktop, RUN)) == {"Alpha", "Beta", "TkBellExe", "Vantrel"}


def holders(desktop, name):
    """Where a value of that name is: (scope, "run" or "backup") pairs."""
    found = set()
    for scope, run, backup, view in SCOPES:
        for kind, key in (("run", run), ("backup", backup)):
            if name in values(desktop, key, view):
                found.add((scope, kind))
    return found


@pytest.fixture
def scoped_entries(desktop):
    """An entry "App" in the Run key of every scope, and no backup key of this user: the first move makes it."""
    empty_keys(desktop)
    reg(desktop, "delete", USER_BACKUP, "/f")
    for scope, run, _, view in SCOPES:
        reg(desktop, "add", run, "/v", "App", "/d", f"C:\\{scope}.exe", "/f", view=view)


def test_each_scope_moves_to_backup_and_back_within_its_own_keys(desktop, scoped_entries, vantrel):
    show_window(desktop, vantrel.arch)
    main_window(desktop)
    assert wait_until(lambda: list_views(desktop) and rows(list_views(desktop)[LIVE]) == 3, 30), "not filled"
    assert reg(desktop, "query", USER_BACKUP).returncode != 0, "showing created a key"
    everywhere = {(scope, "run") for scope, *_ in SCOPES}
    assert holders(desktop, "App") == everywhere
    desktop.screenshot(f"startup-manager-scopes-{vantrel.arch}")

    # The live list shows the three rows sorted by scope; a restored row goes back to its place.
    for row, (scope, run, backup, view) in enumerate(SCOPES):
        select(desktop, LIVE, row)
        press(desktop, TO_BACKUP)
        moved = everywhere - {(scope, "run")} | {(scope, "backup")}
        assert wait_until(lambda: holders(desktop, "App") == moved, 20), (scope, holders(desktop, "App"))
        assert values(desktop, backup, view)["App"] == ("REG_SZ", f"C:\\{scope}.exe")

        select(desktop, BACKUP_LIST, 0)
        press(desktop, RESTORE)
        assert wait_until(lambda: holders(desktop, "App") == everywhere, 20), (scope, holders(desktop, "App"))
        assert values(desktop, run, view)["App"] == ("REG_SZ", f"C:\\{scope}.exe")


# Values of every type and with odd names, by key: name -> reg add arguments. No name is in both keys: the
# page keeps such an entry as a backup only.
ODD_VALUES = {
    RUN: {"": ["/d", r"C:\default.exe"], "Multi": ["/t", "REG_MULTI_SZ", "/d", r"C:\one.exe\0C:\two.exe"],
          "Number": ["/t", "REG_DWORD", "/d", "4294967295"], "Wide": ["/t", "REG_QWORD", "/d", "0x123456789"],
          "Bytes": ["/t", "REG_BINARY", "/d", "43003a00ff"], "NoBytes": ["/t", "REG_BINARY"],
          "Nothing": ["/t", "REG_NONE", "/d", "00ff"], "Back\\slash=eq;semi": ["/d", r"C:\b.exe"],
          "  spaced  ": ["/d", "  C:\\s.exe  "], "L" * 250: ["/t", "REG_EXPAND_SZ", "/d", "%TEMP%\\" + "x" * 2000],
          "Café": ["/d", "C:\\café.exe"]},
    BACKUP: {"#7": ["/t", "REG_DWORD", "/d", "7"], "Big": ["/t", "REG_DWORD_BIG_ENDIAN", "/d", "1"],
             "Multi2": ["/t", "REG_MULTI_SZ", "/d", r"a\0b\0"], "Empty": ["/d", ""], "Tab\tname": ["/d", "x"]},
}


def list_views(desktop):
    """The live and the backup list, top one first, once the page is filled: (class, rect, rows, text). The
    shown ones: the History tab has a list too."""
    lists = sorted((c for c in probe(desktop) if c[0] == "SysListView32" and c[2].endswith("/1")),
                   key=lambda c: c[1][1])
    return lists if len(lists) == 2 else None


@pytest.fixture
def odd_entries(desktop):
    empty_keys(desktop)
    for key, entries in ODD_VALUES.items():
        for name, data in entries.items():
            target = ["/ve"] if name == "" else ["/v", name]
            assert reg(desktop, "add", key, *target, *data, "/f").returncode == 0, (key, name)
    return {key: values(desktop, key) for key in ODD_VALUES}


def test_values_of_every_type_and_odd_names_are_listed_and_kept(desktop, odd_entries, vantrel):
    show_window(desktop, vantrel.arch)
    # Every value but the program's own makes a row, whatever its type or name.
    counts = [len(ODD_VALUES[RUN]), len(ODD_VALUES[BACKUP])]
    filled = wait_until(lambda: (lambda l: l and [rows(c) for c in l] == counts)(list_views(desktop)), 30)
    desktop.screenshot(f"startup-manager-odd-values-{vantrel.arch}")
    assert filled, list_views(desktop)
    assert not [c for c in probe(desktop) if c[3] == "OK"], "a message box"

    send_message(desktop, 0x10, 0)  # WM_CLOSE
    assert vantrel.wait(30) == 0
    after = {key: values(desktop, key) for key in ODD_VALUES}
    after[RUN].pop("Vantrel", None)
    assert after == odd_entries


# Names and paths outside any ANSI code page, as a UTF-16 .reg file holds them.
WIDE_ENTRIES = {"\u03a9mega \u0394\u03ad\u03bb\u03c4\u03b1": "C:\\\u041f\u0440\u043e\u0433\u0440\u0430\u043c\u043c\u044b\\p.exe",
                "\u5185\u5b58\u52a9\u624b": "D:\\\u5de5\u5177\\\u5185\u5b58.exe /\u043c"}


def export(desktop, key, folder):
    """The key as the registry tool exports it: UTF-16 text, every name and byte of its values."""
    target = folder / (key.rsplit("\\", 1)[-1] + ".reg")
    result = reg(desktop, "export", key, "Z:" + str(target).replace("/", "\\"), "/y")
    return target.read_bytes() if result.returncode == 0 and target.exists() else b""


@pytest.fixture
def wide_entries(desktop, tmp_path):
    empty_keys(desktop)
    lines = ["Windows Registry Editor Version 5.00", "", f"[{RUN.replace('HKLM', 'HKEY_LOCAL_MACHINE')}]"]
    lines += ['"{}"="{}"'.format(name, data.replace("\\", "\\\\")) for name, data in WIDE_ENTRIES.items()]
    source = tmp_path / "wide.reg"
    source.write_bytes("\r\n".join(lines + [""]).encode("utf-16"))
    assert reg(desktop, "import", "Z:" + str(source).replace("/", "\\")).returncode == 0


def test_names_and_paths_of_every_script_move_down_and_up_byte_for_byte(desktop, wide_entries, vantrel,
                                                                           tmp_path):
    open_page(desktop, vantrel.arch)
    assert wait_until(lambda: rows(list_views(desktop)[LIVE]) == 2, 10), list_views(desktop)
    desktop.still_screenshot(f"startup-manager-scripts-{vantrel.arch}")
    before = {key: export(desktop, key, tmp_path) for key in (RUN, BACKUP)}
    assert all(name.encode("utf-16-le") in before[RUN] for name in WIDE_ENTRIES), before[RUN]

    for count in (1, 2):
        select(desktop, LIVE, 0)
        press(desktop, TO_BACKUP)
        assert wait_until(lambda: rows(list_views(desktop)[BACKUP_LIST]) == count, 10), list_views(desktop)
    assert set(values(desktop, RUN)) == {"Vantrel"}
    for count in (1, 0):
        select(desktop, BACKUP_LIST, 0)
        press(desktop, RESTORE)
        assert wait_until(lambda: rows(list_views(desktop)[BACKUP_LIST]) == count, 10), list_views(desktop)
    assert {key: export(desktop, key, tmp_path) for key in (RUN, BACKUP)} == before


REGISTRY_VALUES = BUILD / "i686" / "tests" / "registry_values.exe"
REG_SZ, REG_EXPAND_SZ = 1, 2


def native_value(desktop, key, name, kind, data):
    """Writes a value as another program may through the system's native call: a name that may hold a NUL,
    data exactly as given."""
    command = [str(ROOT / "scripts" / "wine"), str(REGISTRY_VALUES), "set", key, name.encode("utf-16-le").hex(),
               str(kind), data.hex()]
    assert subprocess.run(command, env=wine_env(desktop), capture_output=True).returncode == 0, command


def native_values(desktop, key):
    """Every value of a key, byte for byte: name -> (type, data)."""
    result = subprocess.run([str(ROOT / "scripts" / "wine"), str(REGISTRY_VALUES), "list", key],
                            env=wine_env(desktop), capture_output=True, text=True)
    found = {}
    for line in result.stdout.splitlines():
        name, kind, data = line.split("\t")
        found[bytes.fromhex(name).decode("utf-16-le")] = (int(kind), bytes.fromhex(data))
    return found


@pytest.fixture
def native_entries(desktop):
    """A name that hides behind another one with a NUL, a string without its terminator, an expandable one."""
    empty_keys(desktop)
    native_value(desktop, RUN, "Bare", REG_SZ, "C:\\bare.exe".encode("utf-16-le"))
    native_value(desktop, RUN, "Expand", REG_EXPAND_SZ, "%SystemRoot%\\expand.exe\0".encode("utf-16-le"))
    native_value(desktop, RUN, "Hidden", REG_SZ, "C:\\plain.exe\0".encode("utf-16-le"))
    native_value(desktop, RUN, "Hidden\0Evil", REG_SZ, "C:\\evil.exe\0".encode("utf-16-le"))
    return native_values(desktop, RUN)


def test_values_are_shown_moved_and_deleted_by_their_whole_name_and_exact_bytes(desktop, native_entries, vantrel):
    from test_startup_approved import upper_rows
    assert set(native_entries) == {"Bare", "Expand", "Hidden", "Hidden\0Evil"}, native_entries
    open_page(desktop, vantrel.arch)
    gone = "File not found"
    expected = [["Bare", "Run", "All users", gone, r"C:\bare.exe"],
                ["Expand", "Run", "All users", gone, r"%SystemRoot%\expand.exe"],
                ["Hidden", "Run", "All users", gone, r"C:\plain.exe"],
                ["Hidden\\0Evil", "Run", "All users", gone, r"C:\evil.exe"]]
    assert wait_until(lambda: upper_rows(desktop, vantrel.arch)[1] == expected, 10), upper_rows(desktop, vantrel.arch)
    desktop.still_screenshot(f"startup-manager-native-values-{vantrel.arch}")

    # A string without its terminator goes down and up without gaining one.
    select(desktop, LIVE, 0)
    press(desktop, TO_BACKUP)
    assert wait_until(lambda: "Bare" in native_values(desktop, BACKUP), 10), native_values(desktop, BACKUP)
    assert native_values(desktop, BACKUP)["Bare"] == native_entries["Bare"]
    select(desktop, BACKUP_LIST, 0)
    press(desktop, RESTORE)
    assert wait_until(lambda: "Bare" in native_values(desktop, RUN), 10), native_values(desktop, RUN)
    assert native_values(desktop, RUN)["Bare"] == native_entries["Bare"]

    # Deleting the hidden entry deletes it, and not the value it hid behind.
    assert wait_until(lambda: upper_rows(desktop, vantrel.arch)[1] == expected, 10), upper_rows(desktop, vantrel.arch)
    select(desktop, LIVE, 3)
    press(desktop, DELETE)
    assert wait_until(lambda: "Hidden\0Evil" not in native_values(desktop, RUN), 10), native_values(desktop, RUN)
    after = native_values(desktop, RUN)
    after.pop("Vantrel", None)
    assert after == {name: native_entries[name] for name in ("Bare", "Expand", "Hidden")}


def per_page(view):
    """The rows a list view shows whole, as the probe reads them."""
    return int(view[2].split("/")[2])


def window_section(folder):
    from test_settings import sections
    return dict(dict(sections(folder)).get("Window", []))


def client_size(desktop):
    """The main window's client area in pixels, from the probe's window tree."""
    result = subprocess.run([str(ROOT / "scripts" / "wine"), str(BUILD / "i686" / "tests" / "window_probe.exe"),
                             "--tree", TITLE], env=wine_env(desktop), capture_output=True, text=True)
    line = result.stdout.splitlines()[0].split("\t") if result.stdout else ["", "0", "0"]
    return int(line[1]), int(line[2])


def drag(desktop, start, by):
    """Presses the left button at a point of the screen, moves by (dx, dy) in ten steps and lets go."""
    x, y = start
    desktop.x("xdotool", "mousemove", str(x), str(y), "mousedown", "1")
    for step in range(1, 11):
        desktop.x("xdotool", "mousemove", str(x + by[0] * step // 10), str(y + by[1] * step // 10))
    desktop.x("xdotool", "mouseup", "1")


def test_a_window_made_larger_shows_more_rows_and_keeps_its_size_at_the_next_start(desktop, entries, vantrel):
    open_page(desktop, vantrel.arch)
    window = main_window(desktop)
    before = list_views(desktop)
    assert client_size(desktop) == (452, 311)

    # Dragged by its lower right corner, as a person makes it larger; never smaller than it was made.
    x, y, width, height = desktop.geometry(window)
    corner = (x + width - 2, y + height - 2)
    drag(desktop, corner, (200, 200))
    assert wait_until(lambda: client_size(desktop) == (652, 511), 10), client_size(desktop)
    after = list_views(desktop)
    for old, new in zip(before, after):
        assert per_page(new) > per_page(old) and new[1][2] - new[1][0] == old[1][2] - old[1][0] + 200, (old, new)
    desktop.still_screenshot(f"startup-manager-enlarged-{vantrel.arch}")
    drag(desktop, (corner[0] + 200, corner[1] + 200), (-400, -400))
    assert wait_until(lambda: client_size(desktop) == (452, 311), 10), client_size(desktop)
    drag(desktop, corner, (100, 60))
    assert wait_until(lambda: client_size(desktop) == (552, 371), 10), client_size(desktop)

    send_message(desktop, 0x10, 0)  # WM_CLOSE
    assert vantrel.wait(30) == 0
    assert window_section(vantrel.folder) == {"Width": "552", "Height": "371", "HideWindowsEntries": "1"}
    again = start(desktop, vantrel.folder)
    try:
        open_page(desktop, vantrel.arch)
        assert wait_until(lambda: client_size(desktop) == (552, 371), 10), client_size(desktop)
    finally:
        again.kill()
        again.wait(10)


def tips(desktop):
    """The texts of the tooltips shown on the screen."""
    result = subprocess.run([str(ROOT / "scripts" / "wine"), str(BUILD / "i686" / "tests" / "window_probe.exe"),
                             "--tips"], env=wine_env(desktop), capture_output=True, text=True)
    return [line.split("\t", 1)[1] for line in result.stdout.splitlines() if "\t" in line]


LONG_PROGRAM = r"C:\Program Files\A Vendor With A Long Name\Its Updater\bin\updater.exe --background --quiet"


@pytest.fixture
def long_entry(desktop, entries):
    reg(desktop, "add", RUN, "/v", "Long", "/d", LONG_PROGRAM, "/f")


def test_a_cut_off_cell_shows_its_whole_text_when_pointed_at(desktop, long_entry, vantrel):
    from test_startup_approved import upper_rows
    open_page(desktop, vantrel.arch)
    x, y, width, height = desktop.geometry(main_window(desktop))
    # Wider for the Program column, taller so that every row shows without scrolling.
    drag(desktop, (x + width - 2, y + height - 2), (200, 120))
    row = [cells[0] for cells in upper_rows(desktop, vantrel.arch)[1]].index("Long")
    assert wait_until(lambda: list_views(desktop)[LIVE][1][2] - list_views(desktop)[LIVE][1][0] > 600, 10)
    left, top, right, bottom = list_views(desktop)[LIVE][1]
    y = top + 2 + 18 + row * ROW_HEIGHT + ROW_HEIGHT // 2
    # Widened, the list's Program column starts after Name, Location, Scope, Publisher and runs past its edge.
    program_x, scope_x = left + 2 + 428 + 30, left + 2 + 208 + 30
    assert program_x < right - 20
    point = lambda x: desktop.x("xdotool", "mousemove", str(x), str(y))
    point(program_x)
    assert wait_until(lambda: LONG_PROGRAM in tips(desktop), 10), tips(desktop)
    desktop.still_screenshot(f"startup-cell-tip-{vantrel.arch}")
    # A cell that shows whole has no tip, and the tip of the cell left behind goes.
    point(scope_x)
    assert wait_until(lambda: not tips(desktop), 10), tips(desktop)
    assert not wait_until(lambda: tips(desktop), 3), tips(desktop)


@pytest.fixture
def signed_entries(desktop, entries):
    """A signed, an unsigned and an altered program, each started from another place."""
    from test_startup_folders import startup_folder
    signed = BUILD / "i686" / "signed-files"
    policy = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer\Run"
    reg(desktop, "add", RUN, "/v", "Signed", "/d", windows_path(signed / "signed.exe"), "/f")
    reg(desktop, "add", USER_RUN + "Once", "/v", "Unsigned", "/d", windows_path(signed / "unsigned.exe"), "/f")
    reg(desktop, "add", policy, "/v", "Altered", "/d", windows_path(signed / "altered.exe"), "/f")
    folder = startup_folder(desktop)
    folder.mkdir(parents=True, exist_ok=True)
    shutil.copy(signed / "altered.exe", folder / "Folder.exe")
    yield
    reg(desktop, "delete", USER_RUN + "Once", "/v", "Unsigned", "/f")
    reg(desktop, "delete", policy, "/v", "Altered", "/f")
    (folder / "Folder.exe").unlink()


def test_each_place_is_listed_and_its_program_judged_by_its_signature(desktop, signed_entries, vantrel):
    from test_startup_approved import upper_rows
    open_page(desktop, vantrel.arch)
    expected = {"Signed": ("Run", "Signer not trusted: Vantrel Test Signer"),
                "Unsigned": ("RunOnce", "(not verified)"), "Altered": ("Policy Run", "Signature not valid"),
                "Folder.exe": ("Startup folder", "Signature not valid")}
    shown = lambda: {cells[0]: (cells[1], cells[-2]) for cells in upper_rows(desktop, vantrel.arch)[1]
                     if cells[0] in expected}
    assert wait_until(lambda: shown() == expected, 30), shown()
    x, y, width, height = desktop.geometry(main_window(desktop))
    drag(desktop, (x + width - 2, y + height - 2), (360, 160))
    desktop.still_screenshot(f"startup-places-and-signatures-{vantrel.arch}")
