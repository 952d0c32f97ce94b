#!/usr/bin/env python3
"""Writes the small payload archives that the kpx CLI tests read (small.kpx, broken.kpx, cut.kpx,
empty.kpx, names.kpx, control-names.kpx, windows-names.kpx). Run from this folder: ./make_test_archives.py. The
outputs are committed; rerun after a change."""
import struct


def entry(name, method, data, unpacked):
    field = (name if isinstance(name, bytes) else name.encode("cp1252")) + b"\0"
    header = struct.pack("<IIII", 20 + len(field), method, len(data), unpacked)
    return b"kpx\n" + header + field + data


# Compressed streams, written out bit by bit: the worked example "abcabcabc"; one block of 20000
# symbols whose three codes are single-symbol codes (the count in 16 bits, then 5+5 bits for the
# code-length code's symbol 0, 9+9 for the literal code's byte, 4+4 for the position code's 0),
# so that every symbol is that byte and takes no bits; and the same block of "b" followed by a
# block whose code-length code is one length of 1 alone, which is invalid.
ABCABCABC = bytes.fromhex("00042805304137917021B0")
ZEROS = bytes.fromhex("4E200000000000")
BROKEN = bytes.fromhex("4E20000006200000109000000000")

# An entry of no bytes must not come last: a header that ends at the end of the archive is refused.
small = (entry("quorvel.exe", 0, b"not really a program\n", 21)
         + entry("empty.dat", 0, b"", 0)
         + entry("docs\\abc.txt", 1, ABCABCABC, 9)
         + entry("docs\\deep\\zeros.bin", 1, ZEROS, 20000))
open("small.kpx", "wb").write(small)
open("cut.kpx", "wb").write(small + b"kpx\n\0\0\0")  # a header cut after 7 bytes
open("empty.kpx", "wb").write(b"")
open("names.kpx", "wb").write(entry("Café Ledger\\Ünïcode €.txt", 0, b"1", 1)
                              + entry("Café Ledger\\ÿ œ.txt", 0, b"22", 2))
# Names as a hostile archive may hold them: control characters, and a byte code page 1252 leaves undefined.
open("control-names.kpx", "wb").write(entry("bell\a esc\x1b[31mred", 0, b"1", 1)
                                      + entry(b"undefined \x81 tab\t.txt", 0, b"22", 2))
open("broken.kpx", "wb").write(entry("first.txt", 0, b"first\n", 6)
                               + entry("data\\broken.bin", 1, BROKEN, 40000))
# Names Windows would open a device for or trim, among sound ones: check names each of them.
open("windows-names.kpx", "wb").write(entry("readme.txt", 0, b"1", 1)
                                      + entry("NUL .txt", 0, b"22", 2)
                                      + entry("docs\\trail.", 0, b"3", 1)
                                      + entry("COM\u00b9", 0, b"4", 1)
                                      + entry("docs\\last.txt", 0, b"5", 1))
