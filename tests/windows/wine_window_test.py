#!/usr/bin/env python3
"""scanlore.exe under Wine on Xvfb: the real window opens a channel file given
on its command line and uploads it (Ctrl+F5, Upload All) through COM7 into
scanlore-vscanner on a pseudo-terminal here.

usage: wine_window_test.py <wine> <wineserver> <scanlore-vscanner> <scanlore.exe> <screenshot.png>

The test makes a Wine prefix of its own, on its own display: Wine's desktop
process serves the windows of a whole prefix and stays on the display (or
none) that it started with, while the other tests start Wine programs
without one. The prefix gets COM7 as a link to the scanner's terminal and
the settings through "wine reg add". The screenshot shows the window with
the file open, before the upload.
"""

import json
import os
import select
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

WINE, WINESERVER, VSCANNER, PROGRAM, SCREENSHOT = sys.argv[1:6]
ROOT = r"HKCU\Software\Pellmark\Scanlore"
HEADER = "ID,Frequency,Description,Car Number,Delay,Lockout,Priority\r\n"
# (number, MHz in the file, MHz as the scanner shows it, car number, delay, lockout, priority)
CHANNELS = [(1, "146.52", "146.5200", "", True, False, False), (2, "462.5625", "462.5625", "K2", False, True, False),
            (3, "155.475", "155.4750", "", False, False, True), (40, "851.0125", "851.0125", "A9", True, True, False),
            (200, "29.7", "29.7000", "", False, False, False)]


def flag(value):
    return "True" if value else "False"


def run_wine(env, arguments, timeout=120):
    """Runs a Windows program to its end; its output goes through a file,
    since Wine's helper processes inherit it and outlive the program."""
    with tempfile.TemporaryFile() as out:
        status = subprocess.run([WINE] + arguments, env=env, cwd=os.path.dirname(env["WINEPREFIX"]), stdout=out,
                                stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL, timeout=timeout).returncode
        out.seek(0)
        if status != 0:
            raise RuntimeError("%s failed: %s" % (" ".join(arguments), out.read().decode("utf-8", "replace")))


def next_line(process, buffer, timeout):
    """The next line of a process's output and the rest, or None."""
    deadline = time.monotonic() + timeout
    while b"\n" not in buffer:
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([process.stdout], [], [], left)[0]:
            return None, buffer
        chunk = os.read(process.stdout.fileno(), 4096)
        if not chunk:
            return None, buffer
        buffer += chunk
    line, buffer = buffer.split(b"\n", 1)
    return line.decode(), buffer


class WindowUnderWine(unittest.TestCase):
    def start(self, arguments, **options):
        process = subprocess.Popen(arguments, stdin=subprocess.DEVNULL, **options)

        def stop():
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(10)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
            if process.stdout:
                process.stdout.close()
        self.addCleanup(stop)
        return process

    def xdotool(self, *arguments, timeout=60):
        result = subprocess.run(["xdotool"] + list(arguments), env=self.env, stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE, timeout=timeout, check=True)
        return result.stdout.decode().split()

    def find_window(self, title, process, log, timeout=120):
        """The window's id once it shows. Asked again and again: xdotool's
        own wait gives up when a window it looks at goes away meanwhile, as
        Wine's helper windows do while a program starts."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline and process.poll() is None:
            result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title], env=self.env,
                                    stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=30)
            if result.returncode == 0 and result.stdout.split():
                return result.stdout.decode().split()[0]
            time.sleep(0.5)
        log.seek(0)
        names = subprocess.run("for w in $(xdotool search --name .); do xdotool getwindowname $w; done", shell=True,
                               env=self.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=60).stdout
        self.fail("no window %r (running: %s) among %r: %s" % (title, process.poll() is None, names.split(b"\n"),
                                                             log.read().decode("utf-8", "replace")))

    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.folder = folder.name
        # A display number that no X server here uses, neither by its lock
        # file nor by its socket; -noreset keeps the server as it is when
        # Wine's first connection closes.
        with open("/proc/net/unix") as sockets:
            taken = sockets.read()
        display = next(str(n) for n in range(90, 1000) if not os.path.exists("/tmp/.X%d-lock" % n) and
                       "/tmp/.X11-unix/X%d\n" % n not in taken)
        server = self.start(["Xvfb", ":" + display, "-noreset", "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 30
        while not os.path.exists("/tmp/.X11-unix/X" + display):
            if server.poll() is not None or time.monotonic() > deadline:
                self.fail("Xvfb did not start on :" + display)
            time.sleep(0.1)
        self.env = dict(os.environ, DISPLAY=":" + display, WINEPREFIX=os.path.join(self.folder, "wineprefix"),
                        WINEDEBUG="-all",
                        # No offers to install .NET or a browser engine.
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        self.addCleanup(subprocess.run, [WINESERVER, "-k"], env=self.env, timeout=60)
        # Made without the display: the desktop process then starts with
        # the window's program, on the display.
        self.quiet = {key: value for key, value in self.env.items() if key != "DISPLAY"}
        run_wine(self.quiet, ["wineboot", "-i"], timeout=180)

    def reg_add(self, key, name, kind, value):
        run_wine(self.quiet, ["reg", "add", key, "/v", name, "/t", kind, "/d", str(value), "/f"])

    def test_the_window_uploads_the_file_of_its_command_line_into_the_scanner(self):
        path = os.path.join(self.folder, "channels.csv")
        with open(path, "w", newline="") as out:
            out.write(HEADER + "".join("%d,%s,Channel %d,%s,%s,%s,%s\r\n" % (
                number, mhz, number, car, flag(delay), flag(lockout), flag(priority))
                for number, mhz, _, car, delay, lockout, priority in CHANNELS))
        # No first-run modules dialog; the port, speed and stop bits as the
        # properties dialog would store them.
        self.reg_add(ROOT, "First Run", "REG_DWORD", 0)
        self.reg_add(ROOT + r"\Transfer Options", "Communications Port", "REG_SZ", "COM7")
        self.reg_add(ROOT + r"\Transfer Options", "Baud", "REG_DWORD", 9600)
        self.reg_add(ROOT + r"\Transfer Options", "Stop Bits", "REG_DWORD", 2)
        # Every Wine process of the set-up ends before the window's program
        # starts, the desktop process too: one that is still ending would
        # take the new program's windows with it.
        subprocess.run([WINESERVER, "-w"], env=self.quiet, timeout=120, check=True)

        scanner = self.start([VSCANNER, "--json", "--uploads", "1"], stdout=subprocess.PIPE)
        device, buffer = next_line(scanner, b"", 10)
        self.assertTrue(device and device.startswith("/dev/"), device)
        os.symlink(device, os.path.join(self.env["WINEPREFIX"], "dosdevices", "com7"))

        log = tempfile.TemporaryFile()
        self.addCleanup(log.close)
        window = self.start([WINE, PROGRAM, "Z:" + path.replace("/", "\\")], env=self.env, cwd=self.folder,
                            stdout=log, stderr=subprocess.STDOUT)
        found = self.find_window("channels.csv - Scanlore", window, log)
        # Painted once it takes the focus; then the picture for the README.
        self.xdotool("windowfocus", "--sync", found)
        time.sleep(2)
        subprocess.run(["import", "-display", self.env["DISPLAY"], "-window", found, SCREENSHOT], check=True,
                       timeout=60, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        self.xdotool("key", "--clearmodifiers", "ctrl+F5")
        events = []
        while not events or events[-1]["event"] != "summary":
            line, buffer = next_line(scanner, buffer, 60)
            if line is None:
                log.seek(0)
                self.fail("the scanner saw no whole upload: %r\n%s" % (events, log.read().decode("utf-8", "replace")))
            events.append(json.loads(line))
        self.assertEqual((events[0]["event"], events[0]["baud"], events[0]["stopBits"]), ("line", 9600, 2))
        channels = [(e["number"], e["frequency"], e["car"], e["delay"], e["lockout"], e["priority"])
                    for e in events if e["event"] == "channel"]
        self.assertEqual(channels, [(number, shown, car, delay, lockout, priority)
                                    for number, _, shown, car, delay, lockout, priority in CHANNELS])
        self.assertTrue(events[-1]["complete"], events[-1])
        self.assertEqual(events[-1]["rejected"], 0, events[-1])
        self.assertEqual(scanner.wait(15), 0)

        # Alt+F4 closes the window; nothing was edited, so nothing asks.
        self.xdotool("windowfocus", "--sync", found)
        self.xdotool("key", "--clearmodifiers", "alt+F4")
        self.assertEqual(window.wait(30), 0)


if __name__ == "__main__":
    for tool in ("Xvfb", "xdotool", "import"):
        if not shutil.which(tool):
            sys.exit("%s is missing: scripts/install-deps installs it" % tool)
    unittest.main(argv=sys.argv[:1], verbosity=2)
