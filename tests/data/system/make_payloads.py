#!/usr/bin/env python3
"""Writes the small payload archives that the Windows system tests carry as "KPX" resources.

Run from this folder: python3 make_payloads.py. The outputs are committed; rerun after a change.
Every entry is stored (method 0) except the deliberately undecodable one in bad_stream.kpx.
"""
import struct

MAGIC = b"kpx\n"


def entry(name, data, method=0, unpacked=None):
    field = name.encode("ascii") + b"\0"
    header_size = 20 + len(field)
    unpacked = len(data) if unpacked is None else unpacked
    return MAGIC + struct.pack("<IIII", header_size, method, len(data), unpacked) + field + data


def text(line, repeat):
    return (line * repeat).encode("ascii")


GOOD = [
    entry("quorvel.exe", text("MZ test program stand-in\r\n", 4)),
    entry("quorvel.hlp", text("help\r\n", 3)),
    entry("docs\\readme.txt", text("read me\r\n", 5)),
    entry("docs\\deep\\note.txt", text("a note three levels down\r\n", 2)),
]

PAYLOADS = {
    # Four good entries; the tests set FileCount to 4 (or 5 to miss it by one).
    "good.kpx": GOOD,
    # The second entry has a broken magic: no file for it, nothing after it.
    "broken_header.kpx": [GOOD[0], b"kpy" + entry("second.txt", b"x")[3:], GOOD[2]],
    # The second entry names a path that an earlier entry made a directory: its file cannot be
    # created.
    "blocked.kpx": [entry("sub\\a.txt", b"a"), entry("sub", b"b"), entry("c.txt", b"c")],
    # The second entry is a compressed stream that cannot be decoded: its file is created, then
    # deleted.
    "bad_stream.kpx": [
        entry("a.txt", b"a"),
        entry("b.bin", b"\xff" * 64, method=1, unpacked=20000),
        entry("c.txt", b"c"),
    ],
}

for file_name, entries in PAYLOADS.items():
    with open(file_name, "wb") as out:
        out.write(b"".join(entries))
