"""The real Vantelmoor.exe under Wine and Xvfb, a simulated modem on a pseudo-terminal mapped to a
COM port, and the UI probe to read and press the program's windows. Each scenario gets a fresh copy
of one initialised Wine prefix; waits poll for a condition up to a generous deadline."""

import codecs
import fcntl
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
BUILD = Path(os.environ.get("VANTELMOOR_WINDOWS_BUILD", ROOT / "build/windows"))
NATIVE_BUILD = Path(os.environ.get("VANTELMOOR_NATIVE_BUILD", BUILD.parent / "native"))
EXE = BUILD / "src/app/Vantelmoor.exe"
PROBE = BUILD / "tools/probe/probe.exe"
SIM = NATIVE_BUILD / "tools/modem-sim/modem-sim"
TEMPLATE = BUILD / "e2e-prefix-template"
SCREENSHOTS = BUILD / "screenshots"
TEMPLATE_MAKER = ROOT / "tools/wine-prefix.sh"
PROGRAM_DIR = "drive_c/Program Files/Vantelmoor"
SETTINGS_KEY = r"HKLM\Software\Vantelmoor\Settings"
DEADLINE = 30.0
CAPTION = "Vantelmoor"
# JANE ROE's call from 5550001111: a ring and the whole report in one write, without the `call` command's pauses.
JANE_ROE_REPORT = "raw \\r\\nRING\\r\\n\\r\\nDATE=0321\\r\\nTIME=1405\\r\\nNMBR=5550001111\\r\\nNAME=JANE ROE\\r\\n"


def wait_until(condition, what, timeout=DEADLINE, interval=0.1):
    end = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > end:
            raise AssertionError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def base_environment():
    return dict(os.environ, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")


def ensure_template():
    """Initialises the template prefix once; concurrent scenarios wait for the first."""
    TEMPLATE.parent.mkdir(parents=True, exist_ok=True)
    with open(str(TEMPLATE) + ".lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        ready = TEMPLATE / ".ready"
        if ready.exists() and ready.read_text() == TEMPLATE_MAKER.read_text():
            return
        shutil.rmtree(TEMPLATE, ignore_errors=True)
        env = base_environment()
        env.pop("DISPLAY", None)
        subprocess.run([str(TEMPLATE_MAKER), str(TEMPLATE)], env=env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=600)
        ready.write_text(TEMPLATE_MAKER.read_text())  # made again when the way of making it changes


def start_xvfb():
    """A private X display: its process and its name."""
    read_end, write_end = os.pipe()
    screen = os.environ.get("VANTELMOOR_SCREEN", "1024x768x24")
    process = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", screen, "-nolisten", "tcp"],
                               pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        return process, ":" + pipe.readline().strip()


class ModemSim:
    """The simulated modem: a pseudo-terminal, commands on its standard input, a byte log."""

    def __init__(self, workdir, profile="standard", echo=True, line_delay=0):
        self.log_path = Path(workdir) / "modem.log"
        # The COM port names the link, as Windows keeps one name for a device that is unplugged and
        # plugged in again: the simulator points it at a new pseudo-terminal each time.
        self.device = str(Path(workdir) / "modem")
        self.process = subprocess.Popen(
            [str(SIM), "--quiet", "--profile", profile, "--echo", "on" if echo else "off",
             "--log", str(self.log_path), "--link", self.device, "--report-delay", "200",
             "--ring-interval", "1000", "--line-delay", str(line_delay)],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, bufsize=1)
        first = self.process.stdout.readline().split()
        if len(first) != 2 or first[0] != "PTY":
            raise RuntimeError(f"modem-sim did not start: {first}")

    def command(self, text, timeout=DEADLINE):
        """Sends one console command and waits for the simulator's `done`."""
        self.process.stdin.write(text + "\n")
        self.process.stdin.flush()
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            line = self.process.stdout.readline()
            if not line:
                raise AssertionError(f"modem-sim ended during: {text}")
            if line.strip() == "done":
                return
            if line.startswith("error:"):
                raise AssertionError(f"modem-sim: {line.strip()} (for {text})")
        raise AssertionError(f"modem-sim did not finish: {text}")

    def _log(self, direction):
        entries = []
        for line in (self.log_path.read_text(encoding="latin-1") if self.log_path.exists() else "").split("\n"):
            parts = line.split(" ", 2)
            if len(parts) == 3 and parts[1] == direction:
                # The log's escapes (\r \n \\ \xHH) are Python's own.
                entries.append((float(parts[0]), codecs.escape_decode(parts[2].encode("latin-1"))[0]))
        return entries

    def sent(self):
        """[(time, bytes)] of what the simulator sent to the program, one entry per write."""
        return self._log("TX")

    def commands(self):
        """[(time of its carriage return, command)] of the command lines the program sent."""
        result, current = [], b""
        for at, chunk in self._log("RX"):
            *lines, current = (current + chunk).split(b"\r")
            result += [(at, line.decode("latin-1")) for line in lines]
        return result

    def names(self):
        return [command for _, command in self.commands()]

    def wait_for_commands(self, count, timeout=DEADLINE):
        return wait_until(lambda: self.commands() if len(self.commands()) >= count else None,
                          f"{count} modem commands (have {self.commands()})", timeout)

    def holders(self):
        """The processes other than the simulator that have its pseudo-terminal open."""
        device = os.path.realpath(self.device)

        def holds(fd):
            try:
                return os.readlink(fd) == device
            except OSError:
                return False
        return {int(fd.parts[2]) for fd in Path("/proc").glob("[0-9]*/fd/*") if holds(fd)} - {self.process.pid}

    def close(self):
        self.process.stdout.close()
        self.process.stdin.close()
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


class Scenario(unittest.TestCase):
    """One scenario: fresh prefix, ports, Xvfb, modem, program. Subclasses set the modem up."""

    profile = "standard"
    modem_port = 1
    line_delay = 0  # between the lines of a caller-ID report, in ms
    copy_program = True  # False: the scenario installs it

    def setUp(self):
        ensure_template()
        self.workdir = Path(tempfile.mkdtemp(prefix="vantelmoor-e2e-"))
        # Cleanups run last-in first-out: the prefix goes only after Wine has stopped using it.
        self.addCleanup(shutil.rmtree, self.workdir, True)
        self.prefix = self.workdir / "prefix"
        subprocess.run(["cp", "-a", "--reflink=auto", str(TEMPLATE), str(self.prefix)], check=True)
        xvfb, self.display = start_xvfb()
        self.addCleanup(lambda: xvfb.terminate() or xvfb.wait(timeout=10))
        self.env = base_environment()
        self.env["WINEPREFIX"] = str(self.prefix)
        self.env["DISPLAY"] = self.display
        self.started = []
        self.addCleanup(self.stop_wine)
        self.modem = ModemSim(self.workdir, self.profile, line_delay=self.line_delay)
        self.addCleanup(self.modem.close)
        self.map_ports()
        self.program_dir = self.prefix / PROGRAM_DIR
        if self.copy_program:
            self.program_dir.mkdir(parents=True, exist_ok=True)
            shutil.copy(EXE, self.program_dir / "Vantelmoor.exe")
            shutil.copy(EXE.parent / "VantelmoorReadme.txt", self.program_dir / "VantelmoorReadme.txt")

    def map_ports(self):
        """COM1 to COM16 all get a value, so that no device of this machine lands in the scan."""
        lines = ["REGEDIT4", "", r"[HKEY_LOCAL_MACHINE\Software\Wine\Ports]"]
        lines += [f'"COM{n}"="{self.modem.device if n == self.modem_port else ""}"' for n in range(1, 17)]
        reg = self.workdir / "ports.reg"
        reg.write_text("\r\n".join(lines) + "\r\n")
        self.wine("regedit", "/S", str(reg))
        subprocess.run(["wineserver", "--wait"], env=self.env, timeout=120)

    def wine(self, *args, check=True, timeout=120):
        """Runs a Windows program to its end. Its output goes through files, not pipes: the first
        Wine process of a prefix starts Wine's services, which inherit and keep open whatever
        the process was given, and a pipe would then never reach its end."""
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            code = subprocess.run(["wine", *args], env=self.env, stdout=out, stderr=err, timeout=timeout).returncode
            output = [file.seek(0) or file.read().decode("latin-1") for file in (out, err)]
        result = subprocess.CompletedProcess(["wine", *args], code, *output)
        if check and result.returncode != 0:
            raise AssertionError(f"wine {' '.join(args)} failed: {result.stderr.strip()}")
        return result

    def windows_path(self, path):
        return "Z:" + str(path).replace("/", "\\")

    def hold(self, path):
        """Holds a file open without sharing, as a backup program can; returns what lets it go."""
        out = open(self.workdir / "hold.out", "w+")
        holder = subprocess.Popen(["wine", str(PROBE), "hold", self.windows_path(path)], env=self.env,
                                  stdin=subprocess.PIPE, stdout=out, stderr=subprocess.DEVNULL)

        def release():
            holder.stdin.close()
            holder.wait(timeout=60)
            out.close()
        self.addCleanup(lambda: holder.poll() is not None or release())
        wait_until(lambda: (self.workdir / "hold.out").read_text().startswith("held"), f"{path} to be held")
        return release

    def start_program(self, desktop=None):
        """Starts Vantelmoor.exe; on a Wine desktop of its own when `desktop` names one, which stands
        for another user's session (a copy runs for each desktop), out of the probe's reach."""
        exe = str(self.program_dir / "Vantelmoor.exe")
        command = ["wine", exe] if desktop is None else ["wine", "explorer", f"/desktop={desktop},640x480", exe]
        process = subprocess.Popen(command, env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.started.append(process)
        if desktop is None:
            self.program = process

    def stop_wine(self):
        subprocess.run(["wineserver", "--kill"], env=self.env, timeout=60)
        for process in self.started:
            process.wait(timeout=60)

    def probe(self, *args, check=True):
        return self.wine(str(PROBE), *args, check=check)

    def text(self, control, caption=CAPTION):
        return self.probe("text", caption, control).stdout.rstrip("\n")

    def wait_probe(self, what, timeout, *args):
        """Runs a waiting probe command until it succeeds or `timeout` has passed. Each run waits
        a few seconds itself; running it again covers a probe that could not start."""
        end = time.monotonic() + timeout
        while True:
            result = self.probe(*args, "5", check=False)
            if result.returncode == 0 or time.monotonic() > end:
                return result
            self.assertIsNone(self.program.poll(), f"the program ended while waiting for {what}")

    def wait_text(self, control, expected, caption=CAPTION, timeout=DEADLINE):
        result = self.wait_probe(f"{control} to show {expected!r}", timeout, "wait", caption, control, expected)
        self.assertEqual(result.stdout.rstrip("\n"), expected, f"{control} never showed {expected!r}")

    def wait_box(self, title, timeout=DEADLINE):
        """Waits for a message box and returns (text, [buttons])."""
        result = self.wait_probe(f"a message box titled {title!r}", timeout, "wait-box", title)
        self.assertEqual(result.returncode, 0, f"no message box titled {title!r}: {result.stderr.strip()}")
        # Split on line feeds only: the box's text may hold carriage returns of its own.
        fields = dict(line.split(": ", 1) for line in result.stdout.split("\n") if ": " in line)
        return fields.get("text", ""), fields.get("buttons", "").split("|")

    def wait_log_text(self, words, timeout=DEADLINE):
        return wait_until(lambda: words in self.probe("text", CAPTION, "txtStatus", check=False).stdout,
                          f"{words!r} in the activity log", timeout)

    def visible(self, window=CAPTION):
        return self.probe("visible", window, check=False).stdout.strip() == "1"

    def answer_delay(self, number, what):
        """Seconds from the last number line of `number` to the program's ATA after it, printed as `what`."""
        line = f"NMBR={number}\r".encode()
        sent = wait_until(lambda: [at for at, chunk in self.modem.sent() if line in chunk], f"NMBR={number}")[-1]
        ata = wait_until(lambda: [at for at, command in self.modem.commands() if command == "ATA" and at >= sent],
                         "ATA")[0]
        print(f"\n{what}: ATA {(ata - sent) * 1000:.1f} ms after the number line", file=sys.stderr)
        return ata - sent

    def wait_logged(self, count, log=None):
        """Waits until the call log holds `count` records; returns its bytes."""
        log = log or self.program_dir / "Vantelmoor.log"
        return wait_until(lambda: log.exists() and len(log.read_bytes()) == 61 * count and log.read_bytes(),
                          f"{count} calls in the log")

    def box_open(self, title):
        return self.probe("box", title, check=False).returncode == 0

    def screenshot(self, name, window, with_tray=True):
        """Saves the screen around a window ("probe rect" name) as build/.../screenshots/NAME.png, with the
        tray from the screen's corner so that the icon shows too; docs/ keeps copies for the README."""
        # Without a window manager nothing draws a title bar: a window alone is its client area.
        x, y, width, height = map(int, self.probe("rect", window, *([] if with_tray else ["client"])).stdout.split())
        left, top = (0, 0) if with_tray else (x, y)
        SCREENSHOTS.mkdir(parents=True, exist_ok=True)
        subprocess.run(["import", "-window", "root", "-display", self.display, "-crop",
                        f"{x + width - left}x{y + height - top}+{left}+{top}", "+repage",
                        str(SCREENSHOTS / f"{name}.png")], check=True)

    def registry_values(self, key=SETTINGS_KEY):
        """{name: data} of a key's values, read with Wine's own reg tool."""
        lines = self.wine("reg", "query", key, check=False).stdout.splitlines()
        matches = (re.match(r"^\s+(.+?)\s+REG_\w+\s*(.*)$", line) for line in lines)
        return {match.group(1): match.group(2) for match in matches if match}
