"""/freeall alone under Wine, traced where it crosses into the system (WINEDEBUG=+relay): the memory regions
reach NtSetSystemInformation with SystemMemoryListInformation (0x50) and SetSystemFileCacheSize, each with
its privilege enabled just before and disabled just after. What Wine answered is kept beside the screenshots
(freeall-relay-<arch>.txt). The tray menu's Free All with the combined page list (0x82) and the registry
cache (0x9b) chosen reaches both classes, as Wine's notes on them show (freeall-new-regions-<arch>.txt)."""
import re
import subprocess

import pytest

from conftest import ARTIFACTS, EXECUTABLES, ROOT, wait_until, wine_env
from test_commands import menu_command
from test_startup_approved import windows_10  # noqa: F401 (a fixture)
from test_tray import the_icon

# The lines of the trace that tell the story, and Wine's own notes on the memory calls.
STORY = re.compile(r"^([0-9a-f]{4}):(Call|Ret)  ?(ntdll\.NtSetSystemInformation|KERNEL32\.SetSystemFileCacheSize"
                   r"|advapi32\.LookupPrivilegeValueA|advapi32\.AdjustTokenPrivileges|KERNEL32\.GetLastError)\(")
NOTE = re.compile(r"^([0-9a-f]{4}):fixme:\w+:(NtSetSystemInformation|SetSystemFileCacheSize)")
PRIVILEGE = re.compile(r'"(Se\w+Privilege)"')


def arguments(line):
    """The figures a call was given, without their leading zeros."""
    return [figure.lstrip("0") or "0" for figure in line.split("(", 1)[1].split(")", 1)[0].split(",")]


def relay_story(trace):
    """What the thread that made the memory calls did, in short lines: "privilege X" for each look-up of a
    privilege's name, "adjust" with what AdjustTokenPrivileges answered, the memory calls with the figures
    they were given (not the address of NtSetSystemInformation's command). Also the trace's own lines of
    the memory calls: what each was given and answered, the last error of the file cache call, Wine's notes."""
    story, verbatim, thread, error_wanted = [], [], None, False
    for line in trace:
        line = line.rstrip()
        note = NOTE.match(line)
        if note and note.group(1) == thread:
            verbatim.append(line)
        match = STORY.match(line)
        if not match:
            continue
        if thread is None and "NtSetSystemInformation" in match.group(3):
            thread = match.group(1)
            # The calls before the first memory call: the look-ups of its privilege.
            story = [entry for entry in story if entry[0] == thread]
        if thread is not None and match.group(1) != thread:
            continue
        kind, call = match.group(2), match.group(3).split(".")[1]
        if call == "LookupPrivilegeValueA" and kind == "Call":
            story.append((match.group(1), "privilege " + PRIVILEGE.search(line).group(1)))
        elif call == "AdjustTokenPrivileges" and kind == "Ret":
            story.append((match.group(1), "adjust " + line.split("retval=")[1].split()[0]))
        elif call in ("NtSetSystemInformation", "SetSystemFileCacheSize"):
            verbatim.append(line)
            if kind == "Call":
                figures = arguments(line)
                shown = [figures[0], figures[2]] if call == "NtSetSystemInformation" else figures
                story.append((match.group(1), " ".join([call, *shown])))
            error_wanted = call == "SetSystemFileCacheSize" and kind == "Ret"
        elif call == "GetLastError" and error_wanted:
            verbatim.append(line)
            error_wanted = kind == "Call"
    return [entry for _, entry in story], verbatim


@pytest.mark.parametrize("arch", sorted(EXECUTABLES))
def test_free_all_alone_makes_the_system_memory_calls(desktop, arch, tmp_path):
    folder = tmp_path / "Vantrel"
    folder.mkdir()
    exe = folder / "Vantrel.exe"
    exe.write_bytes(EXECUTABLES[arch].read_bytes())
    trace = tmp_path / "relay.log"
    # Through a file: the system's own programs that the run starts keep a pipe open while the wineserver stays.
    with trace.open("wb") as output:
        code = subprocess.run([str(ROOT / "scripts" / "wine"), str(exe), "/freeall"],
                              env=dict(wine_env(desktop), VANTREL_WINEDEBUG="+relay"), stdout=subprocess.DEVNULL,
                              stderr=output, timeout=300).returncode
    with trace.open(errors="replace") as lines:
        story, verbatim = relay_story(lines)
    ARTIFACTS.mkdir(parents=True, exist_ok=True)
    (ARTIFACTS / f"freeall-relay-{arch}.txt").write_text("\n".join(verbatim + ["", f"exit code {code}", ""]))
    # The file cache and the memory lists answer what Wine has; none of its answers is a failure.
    assert code == 0

    def around(privilege, call):
        # Looked up to see that the token holds it, enabled, the call, put back.
        held = "privilege " + privilege
        return [held, held, "adjust 00000001", call, held, "adjust 00000001"]

    # The default regions in their order: the working sets all at once (Wine's token holds every privilege),
    # the file cache ((SIZE_T)-1 twice), the low-priority standby list.
    whole = "f" * (8 if arch == "i686" else 16)
    assert story == (around("SeProfileSingleProcessPrivilege", "NtSetSystemInformation 50 4") +
                     around("SeIncreaseQuotaPrivilege", f"SetSystemFileCacheSize {whole} {whole} 0") +
                     around("SeProfileSingleProcessPrivilege", "NtSetSystemInformation 50 4")), story


@pytest.mark.parametrize("arch", sorted(EXECUTABLES))
@pytest.mark.usefixtures("windows_10")
def test_a_free_all_reaches_the_combined_page_list_and_the_registry_cache(desktop, arch, tmp_path):
    folder = tmp_path / "Vantrel"
    folder.mkdir()
    exe = folder / "Vantrel.exe"
    exe.write_bytes(EXECUTABLES[arch].read_bytes())
    (folder / "Vantrel.ini").write_bytes(b"[FreeMemory]\r\nWorkingSets=0\r\nFileCache=0\r\nStandbyLowPriority=0\r\n"
                                         b"CombinedPages=1\r\nRegistryCache=1\r\n")
    notes = tmp_path / "notes.log"
    # Only Wine's notes: a full trace slows the program past what a person at the menu waits.
    with notes.open("wb") as output:
        running = subprocess.Popen([str(ROOT / "scripts" / "wine"), str(exe)],
                                   env=dict(wine_env(desktop), VANTREL_WINEDEBUG="fixme+ntdll"),
                                   stdout=subprocess.DEVNULL, stderr=output)
        try:
            menu_command(desktop, the_icon(desktop), ["a"],
                         lambda: "NtSetSystemInformation (0x0000009b" in notes.read_text(errors="replace"), 30)
        finally:
            running.kill()
            running.wait(10)
    calls = [line for line in notes.read_text(errors="replace").splitlines()
             if "NtSetSystemInformation (0x00000082" in line or "NtSetSystemInformation (0x0000009b" in line]
    ARTIFACTS.mkdir(parents=True, exist_ok=True)
    (ARTIFACTS / f"freeall-new-regions-{arch}.txt").write_text("\n".join(calls + [""]))
    # MEMORY_COMBINE_INFORMATION_EX's size in each bitness, then the registry cache without input, in that order.
    size = "0x0000000c" if arch == "i686" else "0x00000018"
    classes = [line.split("(", 1)[1].split(",") for line in calls]
    assert [(fields[0], fields[2].split(")")[0]) for fields in classes] == [("0x00000082", size),
                                                                          ("0x0000009b", "0x00000000")], calls
