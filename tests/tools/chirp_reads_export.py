#!/usr/bin/env python3
"""CHIRP's own CSV reader (Debian's chirp package, its generic_csv driver)
reads what scanlore-convert --to chirp writes: the memories at their
channel numbers, with their names, frequencies, modes and skips.

Usage: chirp_reads_export.py SCANLORE_CONVERT
"""
import os
import subprocess
import sys
import tempfile

try:
    from chirp.drivers import generic_csv
except ImportError:
    print("CHIRP is not installed (Debian package chirp)")
    sys.exit(77)

SCANLORE_FILE = (
    '"ID","Frequency","Description","Car Number","Delay","Lockout","Priority"\r\n'
    '1,,,,False,False,False\r\n'
    '2,119.100000,"Tower, north",,False,False,False\r\n'
    '3,146.520000,"Simplex",,False,True,True\r\n'
    '200,851.012500,"Trunk",,False,False,True\r\n'
)

# Memory number: frequency in Hz, name, mode, skip.
EXPECTED = {
    2: (119100000, "Tower, north", "AM", ""),
    3: (146520000, "Simplex", "FM", "S"),
    200: (851012500, "Trunk", "FM", "P"),
}


def main():
    convert = sys.argv[1]
    with tempfile.TemporaryDirectory() as folder:
        source = os.path.join(folder, "channels.csv")
        export = os.path.join(folder, "chirp.csv")
        with open(source, "w", newline="") as f:
            f.write(SCANLORE_FILE)
        subprocess.run([convert, "--to", "chirp", source, export], check=True)

        radio = generic_csv.CSVRadio(None)
        radio._blank()
        # Debian's build opens the file with mode "rU", which Python 3.11
        # refuses: the reader is handed an open file instead.
        with open(export, newline="") as f:
            radio._load(f)
        failures = list(radio.errors)
        used = [m.number for m in radio.get_memories() if not m.empty]
        if used != sorted(EXPECTED):
            failures.append("memories %s, expected %s" % (used, sorted(EXPECTED)))
        for number, (freq, name, mode, skip) in EXPECTED.items():
            memory = radio.get_memory(number)
            got = (memory.freq, memory.name.rstrip(), memory.mode, memory.skip)
            if got != (freq, name, mode, skip):
                failures.append("memory %d is %s, expected %s" % (number, got, (freq, name, mode, skip)))
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
