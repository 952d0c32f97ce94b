#!/usr/bin/env python3
"""Writes the small payload archives that the kpx CLI tests read (small.kpx, broken.kpx, cut.kpx,
empty.kpx, names.kpx, control-names.kpx).

Run from this folder: ./make_test_archives.py. The outputs are committed; rerun after a change. The compressed streams are built bit by bit: the
worked example "abcabcabc", and blocks whose codes are all single-symbol codes (so every symbol
is the same byte and takes no bits)."""
import struct

MAGIC = b"kpx\n"


def entry(name, method, data, unpacked):
    field = (name if isinstance(name, bytes) else name.encode("cp1252")) + b"\0"
    return MAGIC + struct.pack("<IIII", 20 + len(field), method, len(data), unpacked) + field + data


class Bits:
    def __init__(self):
        self.bits = []

    def put(self, value, width):
        self.bits += [(value >> (width - 1 - i)) & 1 for i in range(width)]

    def bytes(self):
        bits = self.bits + [0] * (-len(self.bits) % 8)
        return bytes(int("".join(map(str, bits[i:i + 8])), 2) for i in range(0, len(bits), 8))


def repeated_block(bits, byte, symbols):
    bits.put(symbols, 16)          # symbol count
    bits.put(0, 5); bits.put(0, 5)  # code-length code: single symbol 0
    bits.put(0, 9); bits.put(byte, 9)  # literal/length code: single symbol byte
    bits.put(0, 4); bits.put(0, 4)  # position code: single symbol 0


def repeated(byte, symbols):
    bits = Bits()
    repeated_block(bits, byte, symbols)
    return bits.bytes()


def broken_after(byte, symbols):
    bits = Bits()
    repeated_block(bits, byte, symbols)
    bits.put(1, 16); bits.put(1, 5); bits.put(1, 3)  # one code length of 1 alone: invalid
    bits.put(0, 32)
    return bits.bytes()


ABCABCABC = bytes.fromhex("0004280530413791702 1B0".replace(" ", ""))

# An entry of no bytes must not come last: a header that ends at the end of the archive is refused.
small = (entry("quorvel.exe", 0, b"not really a program\n", 21)
         + entry("empty.dat", 0, b"", 0)
         + entry("docs\\abc.txt", 1, ABCABCABC, 9)
         + entry("docs\\deep\\zeros.bin", 1, repeated(0, 20000), 20000))
broken = (entry("first.txt", 0, b"first\n", 6)
          + entry("data\\broken.bin", 1, broken_after(ord("b"), 20000), 40000))
open("small.kpx", "wb").write(small)
open("cut.kpx", "wb").write(small + b"kpx\n\0\0\0")  # a header cut after 7 bytes
open("empty.kpx", "wb").write(b"")
open("names.kpx", "wb").write(entry("Café Ledger\\Ünïcode €.txt", 0, b"1", 1)
                              + entry("Café Ledger\\ÿ œ.txt", 0, b"22", 2))
# Names as a hostile archive may hold them: control characters, and a byte code page 1252 leaves undefined.
open("control-names.kpx", "wb").write(entry("bell\a esc\x1b[31mred", 0, b"1", 1)
                                      + entry(b"undefined \x81 tab\t.txt", 0, b"22", 2))
open("broken.kpx", "wb").write(broken)
