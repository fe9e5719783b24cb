#!/usr/bin/env python3
"""scanlore-upload.exe under Wine uploads through COM5 into scanlore-vscanner.

usage: wine_upload_test.py <wine> <scanlore-vscanner> <scanlore-upload.exe> <cancel driver>

The virtual scanner runs here on a pseudo-terminal; the Wine prefix named by
WINEPREFIX gets COM5 as a link to that terminal, and the settings are written
into the prefix's registry with "wine reg add", where the Windows program
reads them. What the scanner decodes is compared with the channel file.
The cancel driver is a small Windows program that asks for Cancel when the
line stops moving, which the command has no way to do.
"""

import json
import os
import select
import subprocess
import sys
import tempfile
import time
import unittest

WINE, VSCANNER, UPLOAD, CANCEL_DRIVER = sys.argv[1:5]
PREFIX = os.environ["WINEPREFIX"]
KEY = r"HKCU\Software\Pellmark\Scanlore\Transfer Options"
COM5 = os.path.join(PREFIX, "dosdevices", "com5")
HEADER = "ID,Frequency,Description,Car Number,Delay,Lockout,Priority\r\n"

# (number, MHz as in the file, MHz as the scanner shows it, car number, delay, lockout)
CHANNELS = [(1, "146.52", "146.5200", "", True, False), (2, "462.5625", "462.5625", "K2", False, True),
            (17, "851.0125", "851.0125", "", False, False), (200, "29.7", "29.7000", "A9", True, True)]
# For the cancel driver: "number:MHz:description".
ARGUMENTS = ["%d:%s:Channel %d" % (number, mhz, number) for number, mhz, *_ in CHANNELS]
# All 200 channels: about 6 KB an upload.
FULL = ["%d:%d.%04d:Channel %d" % (number, 100 + number, number, number) for number in range(1, 201)]


def flag(value):
    return "True" if value else "False"


def channel_file(folder, name, lines):
    """Writes a channel file and gives its name as Windows programs see it."""
    path = os.path.join(folder, name)
    with open(path, "w", newline="") as out:
        out.write(HEADER + "".join(lines))
    return "Z:" + path.replace("/", "\\")


def run_wine(arguments, timeout=60):
    """Exit status and output of a Windows program. The output goes through
    a file: Wine's helper processes inherit it and may outlive the program."""
    with tempfile.TemporaryFile() as out:
        status = subprocess.run([WINE] + arguments, stdout=out, stderr=subprocess.STDOUT,
                                stdin=subprocess.DEVNULL, timeout=timeout).returncode
        out.seek(0)
        return status, out.read().decode("utf-8", "replace")


def set_transfer_options(port, baud, stop_bits):
    for name, kind, value in (("Communications Port", "REG_SZ", port), ("Baud", "REG_DWORD", str(baud)),
                              ("Stop Bits", "REG_DWORD", str(stop_bits))):
        status, output = run_wine(["reg", "add", KEY, "/v", name, "/t", kind, "/d", value, "/f"])
        if status != 0:
            raise RuntimeError("reg add %s failed: %s" % (name, output))


class Scanner:
    """scanlore-vscanner --json with COM5 linked to its terminal."""

    def __init__(self, *options):
        self.process = subprocess.Popen([VSCANNER, "--json"] + list(options), stdout=subprocess.PIPE)
        self.buffer = b""
        self.path = self.next_line(10)
        if not self.path or not self.path.startswith("/dev/"):
            raise RuntimeError("the virtual scanner gave no device: %r" % self.path)
        if os.path.lexists(COM5):
            os.unlink(COM5)
        os.symlink(self.path, COM5)

    def next_line(self, timeout):
        deadline = time.monotonic() + timeout
        while b"\n" not in self.buffer:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.process.stdout], [], [], left)[0]:
                return None
            chunk = os.read(self.process.stdout.fileno(), 4096)
            if not chunk:
                return None
            self.buffer += chunk
        line, self.buffer = self.buffer.split(b"\n", 1)
        return line.decode()

    def events_until(self, event, timeout=10):
        """The JSON events up to and including the first of the given kind."""
        events = []
        while True:
            line = self.next_line(timeout)
            if line is None:
                return events
            events.append(json.loads(line))
            if events[-1]["event"] == event:
                return events

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
        self.process.wait(10)
        self.process.stdout.close()


class UploadUnderWine(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.folder = folder.name
        self.file = channel_file(self.folder, "channels.csv", [
            "%d,%s,Channel %d,%s,%s,%s,False\r\n" % (number, mhz, number, car, flag(delay), flag(lockout))
            for number, mhz, _, car, delay, lockout in CHANNELS])

    def upload(self, *arguments):
        return run_wine([UPLOAD] + list(arguments))

    def scanner(self, *options):
        scanner = Scanner(*options)
        self.addCleanup(scanner.stop)
        return scanner

    def test_the_channel_file_arrives_on_the_line_the_registry_names(self):
        for baud, code, stop_bits in ((9600, 0, 1), (4800, 2, 2)):
            with self.subTest(baud=baud, code=code):
                set_transfer_options("COM5", baud, code)
                scanner = self.scanner("--uploads", "1")
                status, output = self.upload(self.file)
                self.assertEqual(status, 0, output)
                events = scanner.events_until("summary")
                line = events[0]
                self.assertEqual((line["event"], line["baud"], line["stopBits"], line["dataBits"]),
                                 ("line", baud, stop_bits, 8))
                self.assertFalse(line["parity"] or line["rtsCts"] or line["xonXoff"] or line["outputProcessing"])
                channels = [(e["number"], e["frequency"], e["car"], e["delay"], e["lockout"], e["priority"])
                            for e in events if e["event"] == "channel"]
                self.assertEqual(channels, [(number, shown, car, delay, lockout, False)
                                            for number, _, shown, car, delay, lockout in CHANNELS])
                summary = events[-1]
                self.assertTrue(summary["complete"], summary)
                self.assertEqual(summary["rejected"], 0, summary)
                self.assertEqual(scanner.process.wait(15), 0)

    def test_options_override_the_registry_for_one_run(self):
        set_transfer_options("COM9", 4800, 2)
        scanner = self.scanner("--uploads", "1")
        status, output = self.upload("--port", "COM5", "--baud", "19200", "--stop-bits", "1", self.file)
        self.assertEqual(status, 0, output)
        events = scanner.events_until("summary")
        self.assertEqual((events[0]["baud"], events[0]["stopBits"]), (19200, 1))
        self.assertEqual(len([e for e in events if e["event"] == "channel"]), len(CHANNELS))
        # The registry keeps its port: the next run without options fails on COM9.
        status, output = self.upload(self.file)
        self.assertEqual(status, 1, output)

    def test_a_missing_port_fails_and_says_why(self):
        set_transfer_options("COM9", 4800, 2)
        status, output = self.upload(self.file)
        self.assertEqual(status, 1, output)
        self.assertIn("COM9 could not be opened: ", output)

    def test_a_scanner_that_stops_reading_fails_the_upload_once_the_line_backs_up(self):
        set_transfer_options("COM5", 256000, 2)
        scanner = self.scanner("--stop-reading-after", "100")
        # Long car numbers make one upload larger than the terminal holds.
        big = channel_file(self.folder, "long.csv", ["%d,146.52,,%s,False,False,False\r\n" % (number, "v" * 200)
                                                      for number in range(1, 201)])
        status, output = self.upload(big)
        self.assertEqual(status, 1, output)
        self.assertIn("COM5 took no data for 5000 ms", output)
        self.assertEqual(scanner.events_until("stalled")[-1], {"event": "stalled", "bytes": 100})

    def test_a_scanner_that_vanishes_fails_the_upload(self):
        set_transfer_options("COM5", 4800, 2)
        scanner = self.scanner("--vanish-after", "300")
        full = channel_file(self.folder, "full.csv", ["%d,%d.0125,,,False,False,False\r\n" % (number, 100 + number)
                                                      for number in range(1, 201)])
        status, output = self.upload(full)
        self.assertEqual(status, 1, output)
        self.assertRegex(output, r"scanlore-upload: COM5 \w.*\w")
        self.assertEqual(scanner.events_until("vanished")[-1], {"event": "vanished", "bytes": 300})

    def test_cancel_on_a_backed_up_line_stops_the_wait_at_once(self):
        set_transfer_options("COM5", 4800, 2)
        scanner = self.scanner("--stop-reading-after", "100")
        # Without the stop the write would run into its time-out instead.
        status, output = run_wine([CANCEL_DRIVER, "--repeat", "10", "--cancel-when-stuck"] + FULL)
        self.assertEqual(status, 1, output)
        self.assertIn("upload cancelled", output)
        self.assertEqual(scanner.events_until("stalled")[-1], {"event": "stalled", "bytes": 100})


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
