"""The whole program under Wine on a virtual display with a tray host, driven by real mouse clicks."""
import contextlib
import getpass
import os
import shutil
import subprocess
import tempfile
import time
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parents[2]
BUILD = ROOT / "build"
EXECUTABLES = {arch: BUILD / arch / "src" / "Vantrel.exe" for arch in ("i686", "x86_64")}
PROBES = {arch: BUILD / arch / "tests" / "tray_probe.exe" for arch in ("i686", "x86_64")}
RUN_KEY_LOCK = BUILD / "i686" / "tests" / "run_key_lock.exe"
MACHINE_RUN = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Run"
USER_RUN = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
TITLE = "Vantrel 1.1.0 Build 212"
ARTIFACTS = BUILD / "e2e" / "artifacts"


def pytest_configure(config):
    config.addinivalue_line("markers", "settings(*lines): the Vantrel.ini the program finds at its start")
    config.addinivalue_line("markers", "settings_file(data): the bytes of the Vantrel.ini it finds instead")
    config.addinivalue_line("markers", "tray_height(pixels): the height of trayer's panel (24 otherwise)")


def pytest_sessionstart(session):
    """Each run leaves only its own screenshots."""
    shutil.rmtree(ARTIFACTS, ignore_errors=True)


def wait_until(predicate, seconds=30.0, interval=0.1):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(interval)
    return None


class Desktop:
    """An Xvfb display with trayer on it; the programs started on it run in the given Wine prefix."""

    def __init__(self, size="1024x768", prefix=BUILD / "wineprefix", tray_height=24):
        self.prefix = prefix
        self.tray_height = tray_height
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", f"{size}x24", "-nolisten", "tcp"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as pipe:
            self.display = ":" + pipe.readline().strip()
        self.env = dict(os.environ, DISPLAY=self.display)
        self.start_tray_host()

    def start_tray_host(self):
        # trayer now and then starts without its panel on a display that was just freed: try again.
        for _ in range(3):
            self.trayer = subprocess.Popen(
                ["trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel", "--width", "200",
                 "--height", str(self.tray_height), "--transparent", "false", "--tint", "0xc0c0c0"],
                env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            if wait_until(lambda: '"panel"' in self.x("xwininfo", "-root", "-tree"), 10):
                break
            self.trayer.terminate()
            self.trayer.wait(10)
        else:
            raise AssertionError("trayer shows no panel")

    def x(self, *command):
        return subprocess.run(command, env=self.env, capture_output=True, text=True).stdout

    def window(self, title=TITLE, seconds=60.0):
        """The X window id of the top-level window with this title."""
        found = wait_until(lambda: self.x("xdotool", "search", "--onlyvisible", "--name", f"^{title}$").split(), seconds)
        assert found, f"no window {title!r}"
        return found[0]

    def geometry(self, window):
        """x, y, width, height of an X window on the screen."""
        values = dict(line.split("=") for line in self.x("xdotool", "getwindowgeometry", "--shell", window).split())
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def click(self, x, y, button=1):
        self.x("xdotool", "mousemove", str(x), str(y), "click", str(button))

    def tray_icons(self):
        """x, y, width, height of each icon that Wine docked in trayer's panel, from left to right."""
        icons = []
        lines = self.x("xwininfo", "-root", "-tree").splitlines()
        for number, line in enumerate(lines):
            if '"panel"' not in line:
                continue
            depth = len(line) - len(line.lstrip())
            for child in lines[number + 1:]:
                if child.strip() and len(child) - len(child.lstrip()) <= depth:
                    break
                if '("explorer.exe"' in child:
                    icons.append(self.geometry(child.split()[0]))
        return sorted(icons)

    def visible_windows(self, owner="vantrel.exe"):
        """The mapped top-level windows of a Wine program."""
        return self.x("xdotool", "search", "--onlyvisible", "--classname", owner).split()

    def screenshot(self, name):
        ARTIFACTS.mkdir(parents=True, exist_ok=True)
        path = ARTIFACTS / f"{name}.png"
        subprocess.run(["import", "-window", "root", str(path)], env=self.env, check=True)
        return path

    def stop_tray_host(self):
        self.trayer.terminate()
        self.trayer.wait(10)

    def still_screenshot(self, name):
        """A screenshot once the screen stays the same between two looks: windows are drawn."""
        previous = [None]

        def still():
            shot = self.screenshot(name).read_bytes()
            same, previous[0] = shot == previous[0], shot
            return same

        assert wait_until(still, 10, 0.2), f"the screen keeps changing ({name})"
        return ARTIFACTS / f"{name}.png"

    def close(self):
        for process in (self.trayer, self.xvfb):
            process.terminate()
            process.wait(10)


def show_window(desktop, arch):
    """Opens the window of the program sitting in the notification area, as its taskbar button would."""
    assert wait_until(lambda: tray_probe(desktop, arch, "restore") == 0, 60), "no application window"


def tray_probe(desktop, arch, *args, **popen):
    """Runs the tray probe (tests/e2e/probe/tray_probe.cpp) of an architecture; see there for its commands."""
    command = [str(ROOT / "scripts" / "wine"), str(PROBES[arch]), *args]
    if popen:
        return subprocess.Popen(command, env=wine_env(desktop), stderr=subprocess.DEVNULL, **popen)
    return subprocess.run(command, env=wine_env(desktop), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                          timeout=60).returncode


def probe(desktop, title=TITLE):
    """The controls of the program's shown window, read from outside through the window tree: a list of
    (class, (left, top, right, bottom), position, text)."""
    result = subprocess.run([str(ROOT / "scripts" / "wine"), str(BUILD / "i686" / "tests" / "window_probe.exe"),
                             title], env=wine_env(desktop), capture_output=True, text=True)
    controls = []
    for line in result.stdout.splitlines():
        kind, rect, position, text = line.split("\t")
        controls.append((kind, tuple(int(v) for v in rect.split()), position, text))
    return controls


def send_message(desktop, message, wparam, title=TITLE):
    """Sends a window message to every top-level window of the program, as the system does; their answers."""
    result = subprocess.run([str(ROOT / "scripts" / "wine"), str(BUILD / "i686" / "tests" / "window_probe.exe"),
                             "--send", title, str(message), str(wparam)], env=wine_env(desktop),
                            capture_output=True, text=True)
    return [int(line) for line in result.stdout.split()]


def peak_memory_mb(folder):
    """The highest resident memory, in MB, of the Linux processes that run the program from this folder."""
    peak = 0
    for proc in Path("/proc").iterdir():
        try:
            if folder.parent.name not in (proc / "cmdline").read_text(errors="replace"):
                continue
            for line in (proc / "status").read_text().splitlines():
                if line.startswith("VmHWM:"):
                    peak = max(peak, int(line.split()[1]) // 1024)
        except (OSError, ValueError):
            continue
    return peak


def read_settings(folder):
    """The keys of the [Vantrel] section of the program's settings file, in their order: key -> value."""
    keys, inside = {}, False
    for line in (folder / "Vantrel.ini").read_bytes().decode("latin-1").splitlines():
        line = line.strip()
        if line.startswith("["):
            inside = line == "[Vantrel]"
        elif inside and "=" in line:
            key, value = line.split("=", 1)
            keys[key.strip()] = value.strip()
    return keys


def vantrel_lines(folder):
    """The [Vantrel] section's lines, "Key=Value", in their order; the other sections are not looked at."""
    return [f"{key}={value}" for key, value in read_settings(folder).items()]


def start(desktop, folder):
    """Starts the Vantrel.exe of this folder."""
    return subprocess.Popen([str(ROOT / "scripts" / "wine"), str(folder / "Vantrel.exe")], env=wine_env(desktop),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def wine_env(desktop):
    env = dict(desktop.env)
    env["VANTREL_WINEPREFIX"] = str(desktop.prefix)
    return env


def app_data(desktop):
    """This user's application-data folder in the prefix, where a standard user's settings go."""
    return desktop.prefix / "drive_c" / "users" / getpass.getuser() / "AppData" / "Roaming"


def windows_path(path):
    """A Linux path as a program under Wine sees it."""
    return "Z:" + str(path).replace("/", "\\")


def wine(desktop, *command):
    """Runs a Windows program to its end; its output comes through a file, not a pipe, which the system's own
    programs that it starts would keep open while the wineserver stays."""
    with tempfile.TemporaryFile() as output:
        result = subprocess.run([str(ROOT / "scripts" / "wine"), *command], env=wine_env(desktop), stdout=output,
                                stderr=subprocess.STDOUT, timeout=60)
        output.seek(0)
        result.stdout = output.read().decode(errors="replace")
    return result


def wineserver(desktop, *arguments):
    return subprocess.run(["wineserver", *arguments], env=dict(os.environ, WINEPREFIX=str(desktop.prefix)),
                          timeout=60).returncode


def forget_auto_start(desktop):
    """No Vantrel entry in the machine's Run key (the 64-bit programs' view) nor in this user's, and no settings
    of this user."""
    for key in (MACHINE_RUN, USER_RUN):
        wine(desktop, "reg", "delete", key, "/v", "Vantrel", "/f", "/reg:64")
    shutil.rmtree(app_data(desktop) / "Vantrel", ignore_errors=True)


@pytest.fixture
def standard_user(desktop):
    """The machine's Run key refuses every change, as Windows refuses a standard user (an administrator under
    Wine): a DACL lets everyone only read it. The wineserver forgets a key's DACL when it stops, so one is kept
    running until the test ends. No entry of Vantrel in either Run key, and no settings of this user, before and
    after."""
    wine(desktop, "reg", "add", MACHINE_RUN, "/f", "/reg:64")
    wineserver(desktop, "-k")
    wineserver(desktop, "-w")
    assert wineserver(desktop, "-p") == 0, "no wineserver of its own"
    try:
        forget_auto_start(desktop)
        assert wine(desktop, str(RUN_KEY_LOCK), "lock").returncode == 0
        written = wine(desktop, "reg", "add", MACHINE_RUN, "/v", "VantrelProbe", "/d", "x", "/f", "/reg:64")
        assert written.returncode != 0, "Wine lets the locked key be written"
        yield
    finally:
        assert wine(desktop, str(RUN_KEY_LOCK), "unlock").returncode == 0
        forget_auto_start(desktop)
        wineserver(desktop, "-k")


@pytest.fixture
def desktop(request):
    height = request.node.get_closest_marker("tray_height")
    d = Desktop(tray_height=height.args[0]) if height else Desktop()
    yield d
    subprocess.run([str(ROOT / "scripts" / "wine"), "wineserver", "-k"], env=wine_env(d),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    d.close()


@pytest.fixture(params=sorted(EXECUTABLES))
def vantrel(request, desktop, tmp_path):
    """Starts a copy of Vantrel.exe from a folder of its own (so that its settings file is its own)."""
    folder = tmp_path / "Vantrel"
    folder.mkdir()
    exe = folder / "Vantrel.exe"
    exe.write_bytes(EXECUTABLES[request.param].read_bytes())
    settings = request.node.get_closest_marker("settings")
    if settings:
        (folder / "Vantrel.ini").write_text("\r\n".join(["[Vantrel]", *settings.args, ""]))
    raw = request.node.get_closest_marker("settings_file")
    if raw:
        (folder / "Vantrel.ini").write_bytes(raw.args[0])
    process = start(desktop, folder)
    process.folder = folder
    process.arch = request.param
    yield process
    if process.poll() is None:
        process.kill()
        process.wait(10)


# A settings file that a test makes unwritable, and the user's own settings folder beside it.
SETTINGS = "[Vantrel]\r\nCPU=50\r\nIDX=7\r\nAutoRun=-1\r\n"


@contextlib.contextmanager
def unwritable(*paths):
    """Nobody may change these files and folders, not even root, who ignores their modes."""
    if os.geteuid() == 0:
        if subprocess.run(["chattr", "+i", *map(str, paths)], capture_output=True).returncode != 0:
            pytest.skip("root may write anywhere here, and files cannot be made immutable")
    else:
        for path in paths:
            path.chmod(path.stat().st_mode & 0o555)
    try:
        yield
    finally:
        if os.geteuid() == 0:
            subprocess.run(["chattr", "-i", *map(str, paths)], check=True)
        else:
            for path in paths:
                path.chmod(path.stat().st_mode | 0o200)


@pytest.fixture
def user_settings(desktop):
    """The user's own settings folder in the prefix (%APPDATA%\\Vantrel), holding a settings file, for the
    program that keeps its settings there when its own folder cannot be written; gone again afterwards."""
    tray_probe(desktop, "i686", "restore")  # makes the prefix on first use
    folder = desktop.prefix / "drive_c" / "users" / getpass.getuser() / "AppData" / "Roaming" / "Vantrel"
    assert folder.parent.is_dir(), folder.parent
    folder.mkdir(exist_ok=True)
    (folder / "Vantrel.ini").write_bytes(SETTINGS.encode())
    yield folder
    shutil.rmtree(folder)
