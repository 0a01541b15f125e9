"""The dialog of the programs a Free All never trims, under Wine, with real clicks and keys: a running
program picked from its drop-down, a name typed in Cyrillic, OK."""
import subprocess

from conftest import BUILD, ROOT, TITLE, probe, wait_until, wine_env
from test_logon_task import on_the_free_memory_page
from test_settings import centre
from test_tray import the_icon

TYPED = "Игра.exe"


def dialog_rows(desktop, arch):
    """The rows of the dialog's list: the list view of one column (the tab's regions have two)."""
    result = subprocess.run([str(ROOT / "scripts" / "wine"), str(BUILD / arch / "tests" / "window_probe.exe"),
                             "--rows", TITLE], env=wine_env(desktop), capture_output=True, text=True)
    lists = [line.split("\t") for line in result.stdout.splitlines()]
    heads = [i for i, cells in enumerate(lists) if cells[0] == "list" and cells[1] == "1"]
    return [cells[0] for cells in lists[heads[0] + 1:heads[0] + 1 + int(lists[heads[0]][2])]] if heads else None


def control(desktop, kind, text):
    return next((c for c in probe(desktop) if c[0].lower() == kind and c[3].startswith(text)), None)


def test_a_picked_program_and_a_typed_cyrillic_name_are_kept_on_ok(desktop, vantrel):
    arch = vantrel.arch
    the_icon(desktop)
    on_the_free_memory_page(desktop, arch)
    opener = wait_until(lambda: control(desktop, "button", "Never trim these programs..."), 10)
    desktop.click(*centre(opener[1]))
    add = wait_until(lambda: control(desktop, "button", "Add"), 15)
    assert add, "no dialog"
    assert dialog_rows(desktop, arch) == []

    # The first running program, chosen in the field with the arrow key, then added.
    field = next(c for c in probe(desktop) if c[0] == "ComboBox")
    desktop.click(*centre(field[1]))
    desktop.x("xdotool", "key", "Down")
    assert wait_until(lambda: next(c for c in probe(desktop) if c[0] == "ComboBox")[3], 10), "nothing picked"
    desktop.click(*centre(add[1]))
    picked = wait_until(lambda: (lambda rows: rows if rows else None)(dialog_rows(desktop, arch)), 10)
    assert picked and picked[0].lower().endswith(".exe"), picked

    desktop.click(*centre(field[1]))
    desktop.x("xdotool", "type", "--delay", "100", TYPED)
    assert wait_until(lambda: next(c for c in probe(desktop) if c[0] == "ComboBox")[3], 10), "nothing typed"
    desktop.click(*centre(add[1]))
    assert wait_until(lambda: dialog_rows(desktop, arch) == [picked[0], TYPED], 10), dialog_rows(desktop, arch)
    desktop.still_screenshot(f"never-trim-dialog-{arch}")

    # Enter in the field is OK: the dialog goes, and the tab's button counts the two.
    desktop.click(*centre(field[1]))
    desktop.x("xdotool", "key", "Return")
    assert wait_until(lambda: control(desktop, "static", "Type a program's") is None, 10), "the dialog stayed"
    assert control(desktop, "button", "Never trim these programs... (2)")
    desktop.still_screenshot(f"free-memory-tab-{arch}")
