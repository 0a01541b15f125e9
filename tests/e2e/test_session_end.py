"""The end of the Windows session: the settings are saved before Windows ends the program, and a failure to
save them opens no box that would hold up the log-off."""
import time

import pytest

from conftest import TITLE, probe, read_settings, send_message, unwritable, wait_until

WM_QUERYENDSESSION = 0x11
WM_ENDSESSION = 0x16
WM_CLOSE = 0x10


def running(desktop):
    return wait_until(lambda: desktop.x("xdotool", "search", "--name", f"^{TITLE}$").split(), 60)


def test_an_ending_session_writes_the_settings(desktop, vantrel):
    assert running(desktop)
    settings = vantrel.folder / "Vantrel.ini"
    assert not settings.exists()
    assert all(answer == 1 for answer in send_message(desktop, WM_QUERYENDSESSION, 0))
    assert not settings.exists(), "asking is not ending"
    send_message(desktop, WM_ENDSESSION, 1)
    assert wait_until(settings.exists, 10), "no settings written"
    assert len(read_settings(vantrel.folder)) == 12
    assert vantrel.wait(30) == 0


def test_a_cancelled_end_writes_nothing_and_the_program_goes_on(desktop, vantrel):
    assert running(desktop)
    send_message(desktop, WM_QUERYENDSESSION, 0)
    send_message(desktop, WM_ENDSESSION, 0)
    assert vantrel.poll() is None
    assert not (vantrel.folder / "Vantrel.ini").exists()
    # A later ordinary exit still saves.
    send_message(desktop, WM_CLOSE, 0)
    assert vantrel.wait(30) == 0
    assert len(read_settings(vantrel.folder)) == 12


@pytest.mark.settings("CPU=50")
def test_a_settings_file_that_cannot_be_written_holds_up_no_log_off(desktop, user_settings, vantrel):
    assert running(desktop)
    settings = vantrel.folder / "Vantrel.ini"
    before = settings.read_bytes()
    with unwritable(vantrel.folder, settings, user_settings, user_settings / "Vantrel.ini"):
        assert all(answer == 1 for answer in send_message(desktop, WM_QUERYENDSESSION, 0))
        started = time.monotonic()
        send_message(desktop, WM_ENDSESSION, 1)
        # Windows waits for the answer before it ends the session.
        assert time.monotonic() - started < 5, "the answer was held up"
        assert vantrel.wait(30) == 0
        assert not [c for c in probe(desktop) if c[3].startswith("Unable to write")]
    assert settings.read_bytes() == before
