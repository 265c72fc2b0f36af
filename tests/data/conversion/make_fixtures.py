#!/usr/bin/env python3
"""Writes the small instrument files and log files the conversion tests
convert, into the folder of this script (or the folder given).

  make_fixtures.py [FOLDER]

binary.cal   fixed 15-byte frames: header TSTB, serial 0123, frame counter,
             pressure (POLYU), temperature (signed), status (no column),
             check sum that makes the byte sum zero.
good.raw     frames 0..4, no errors.
errors.raw   counters 0, 1, 3 (counter error), 4 with a bad check sum,
             two stray bytes, 5, then a truncated frame.
tagged.raw   three frames, each followed by a 7-byte time tag; the last tag
             is cut to 3 bytes.
nofound.raw  bytes that never hold the TSTB header.
empty.raw    no bytes at all.
witherr.cal  binary.cal with a line whose fit is unknown: it loads, with
             errors.
ascii.tdf    comma-separated frames ending in CR LF: header ASCI, a signed
             number, an unsigned number, a real (POLYU x2), an ISO 8601 time
             text and a word.
ascii.raw    three such frames; the second has two empty numbers (the
             unsigned one is an error) and a real that does not parse.
qelhdr1.tdf  the header definition of header mode.
headers.raw  two header lines.
gap.raw      two header lines 1000 bytes apart, more than header mode reads
             at a time.
"""
import os
import sys


def frame(counter, pres, temp, status=0, check_delta=0):
    body = b"TSTB0123" + bytes([counter]) + pres.to_bytes(2, "big") + \
        (temp & 0xFFFF).to_bytes(2, "big") + bytes([status])
    check = (-sum(body) + check_delta) & 0xFF
    return body + bytes([check])


def tag(date, time):
    return date.to_bytes(3, "big") + time.to_bytes(4, "big")


BINARY_CAL = """# Test instrument with fixed 15-byte frames.
INSTRUMENT TSTB '' 4 AS 0 NONE
SN 0123 '' 4 AS 0 NONE
FRAME COUNTER '' 1 BU 0 COUNT
PRES NONE 'dbar' 2 BU 1 POLYU
    -10.0 0.01
TEMP A 'C' 2 BS 0 COUNT
STAT NONE '' 1 BU 0 NONE
CHECK SUM '' 1 BU 0 COUNT
"""

ASCII_TDF = """# Test instrument with comma-separated frames.
VLF_INSTRUMENT ASCI '' 4 AS 0 NONE
FIELD NONE ',' 1 AS 0 DELIMITER
N NONE '' V AI 0 COUNT
FIELD NONE ',' 1 AS 0 DELIMITER
U NONE '' V AU 0 COUNT
FIELD NONE ',' 1 AS 0 DELIMITER
R NONE 'm' V AF 1 POLYU
    0.0 2.0
FIELD NONE ',' 1 AS 0 DELIMITER
ISO8601 NONE '' V AS 0 COUNT
FIELD NONE ',' 1 AS 0 DELIMITER
WORD NONE '' V AS 0 COUNT
TERMINATOR NONE '\\x0D\\x0A' 2 AS 0 DELIMITER
"""

HEADER_TDF = """# Header mode: one line per header frame.
VLF_INSTRUMENT SAT '' 3 AS 0 NONE
FIELD NONE ',' 1 AS 0 DELIMITER
HEADER NONE '' V AS 0 COUNT
TERMINATOR NONE '\\x0D\\x0A' 2 AS 0 DELIMITER
"""


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    files = {
        "binary.cal": BINARY_CAL.encode(),
        "good.raw": b"".join(frame(n, 1234 + n, -5 + n) for n in range(5)),
        "errors.raw": frame(0, 1000, 1) + frame(1, 1000, 2) + frame(3, 1000, 3) +
        frame(4, 1000, 4, check_delta=1) + b"\x01\x02" + frame(5, 1000, 5) + frame(6, 1000, 6)[:9],
        "tagged.raw": frame(0, 1234, 1) + tag(207123, 123456789) + frame(1, 1234, 2) +
        tag(2007124, 235959999) + frame(2, 1234, 3) + tag(0, 0)[:3],
        "nofound.raw": b"XXXX0123" * 8,
        "empty.raw": b"",
        "witherr.cal": (BINARY_CAL + "EXTRA NONE '' 1 BU 0 NOSUCHFIT\n").encode(),
        "ascii.tdf": ASCII_TDF.encode(),
        "ascii.raw": b"ASCI,7,12,1.25,2007-05-03T12:34:56.789Z,up\r\n" +
        b"ASCI,,,x,2007-05-03T12:34:57.000Z,down\r\n" +
        b"ASCI,-3,5,0.5,short,hold\r\n",
        "qelhdr1.tdf": HEADER_TDF.encode(),
        "gap.raw": b"SAT,HDR One (P1)\r\n" + b"x" * 1000 + b"SAT,HDR Two\r\n",
        "headers.raw": b"SAT,HDR Profiler one (PRO1)  \r\nSAT,HDR Radiometer\r\n",
    }
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
