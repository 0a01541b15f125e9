"""Errors at exit as a person meets them: a settings file that cannot be written is told in a box that stays
until the person dismisses it, and the program then ends."""
import time

import pytest

from conftest import EXECUTABLES, SETTINGS, probe, start, unwritable
from test_commands import menu_command
from test_tray import centre, the_icon


@pytest.mark.parametrize("arch", sorted(EXECUTABLES))
def test_a_settings_file_that_cannot_be_written_is_told_until_the_box_is_dismissed(desktop, user_settings,
                                                                                   tmp_path, arch):
    folder = tmp_path / "Vantrel"
    folder.mkdir()
    (folder / "Vantrel.exe").write_bytes(EXECUTABLES[arch].read_bytes())
    settings = folder / "Vantrel.ini"
    settings.write_bytes(SETTINGS.encode())
    program = start(desktop, folder)
    try:
        icon = the_icon(desktop)
        with unwritable(folder, settings, user_settings, user_settings / "Vantrel.ini"):
            told = lambda: [c[3] for c in probe(desktop) if c[3].startswith("Unable to write to")]
            menu_command(desktop, icon, ["Up", "Return"], told)
            # A person takes a moment to read it.
            time.sleep(3)
            desktop.screenshot(f"exit-error-{arch}")
            message = told()
            assert len(message) == 1 and message[0].endswith("\\Vantrel.ini."), message
            assert program.poll() is None, "the program ended under the box"
            ok = next(c for c in probe(desktop) if c[0].lower() == "button" and c[3] == "OK")
            desktop.click(*centre((ok[1][0], ok[1][1], ok[1][2] - ok[1][0], ok[1][3] - ok[1][1])))
            assert program.wait(30) == 0
        assert settings.read_bytes() == SETTINGS.encode()
        assert (user_settings / "Vantrel.ini").read_bytes() == SETTINGS.encode()
    finally:
        if program.poll() is None:
            program.kill()
            program.wait(10)
