#!/usr/bin/env python3
"""Writes the sample product's committed files (product/) and their list (manifest.txt).

The sample product is "Quorvelane version 2.08", a small desktop publishing tool that exists only
to be packaged. Its main program, quorvel.exe, is built from program/ and joins these files at
build time as the payload's first entry. Everything here is deterministic: run
`python3 make_sample.py` from this folder to rewrite the same bytes.
"""
import os
import random
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "product")
rng = random.Random(2008)

WORDS = ("page layout frame column margin style paragraph heading table picture border shade "
         "template letter invoice memo report label envelope card print preview export import "
         "document section footer header index glossary chapter font size colour line spacing "
         "align centre justify indent tab ruler grid guide snap object group order layer").split()

files = []


def write(relative, data):
    path = os.path.join(ROOT, *relative.split("/"))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)
    files.append(relative)


def sentences(count):
    lines = []
    for _ in range(count):
        words = [rng.choice(WORDS) for _ in range(rng.randint(6, 14))]
        lines.append(" ".join(words).capitalize() + ".")
    return lines


def text_file(title, paragraphs):
    out = [title, "=" * len(title), ""]
    for _ in range(paragraphs):
        out.extend(sentences(rng.randint(2, 5)))
        out.append("")
    return ("\r\n".join(out) + "\r\n").encode("ascii")


def template(kind, number):
    fields = ["[Template]", f"Name={kind} {number}", f"Kind={kind}", "Version=2.08", "", "[Fields]"]
    for index in range(rng.randint(8, 20)):
        fields.append(f"Field{index}={rng.choice(WORDS)},{rng.randint(0, 600)},{rng.randint(0, 800)}")
    fields += ["", "[Body]"] + sentences(rng.randint(10, 30))
    return ("\r\n".join(fields) + "\r\n").encode("ascii")


def bitmap(width, height, pattern):
    """A 16-colour BMP with a simple pattern."""
    row = ((width + 1) // 2 + 3) // 4 * 4
    pixels = bytearray()
    for y in range(height):
        line = bytearray(row)
        for x in range(0, width, 2):
            a = pattern(x, y) & 15
            b = pattern(x + 1, y) & 15
            line[x // 2] = a << 4 | b
        pixels += line
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in VGA)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    offset = 14 + len(info) + len(palette)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return head + info + palette + bytes(pixels)


VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
       (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def noise(size):
    return bytes(rng.getrandbits(8) for _ in range(size))


def already_compressed(kind, size):
    """Files that are compressed already (a zip, a png, a jpeg): the packer stores them."""
    if kind == "zip":
        body = zlib.compress(noise(size), 9)
        return b"PK\x03\x04" + struct.pack("<HHHHHIII", 20, 0, 8, 0, 0, zlib.crc32(body), len(body),
                                             size) + body
    if kind == "png":
        return b"\x89PNG\r\n\x1a\n" + noise(size)
    return b"\xff\xd8\xff\xe0\x00\x10JFIF\x00" + noise(size)


def help_file():
    """A help file of the product's own: a binary index followed by compressible topics."""
    topics = [text_file(f"Topic {n}: {rng.choice(WORDS)} {rng.choice(WORDS)}", 6) for n in range(40)]
    index = b"".join(struct.pack("<II", n, len(t)) for n, t in enumerate(topics))
    return b"QHLP\x02\x08" + struct.pack("<I", len(topics)) + index + b"".join(topics)


# Top level, beside quorvel.exe (which the build adds as the first entry).
write("quorvel.hlp", help_file())
write("quorvel.ini", b"[Quorvelane]\r\nUseMMX=1\r\nVersion=2.08\r\nUnits=mm\r\n"
                     b"Templates=templates\r\n\r\n[Recent]\r\nCount=0\r\n")
write("readme.txt", text_file("Quorvelane version 2.08 - Read me", 12))
write("template.txt", text_file("Working with templates", 10))
write("regform.txt", text_file("Registration form", 6))
write("license.txt", text_file("Licence agreement", 14))
write("whatsnew.txt", text_file("What is new in version 2.08", 9))
write("quorvel.cnt", text_file("Help contents", 5))

for n, kind in enumerate(["Letter", "Invoice", "Memo", "Report", "Fax", "Label", "Envelope",
                          "Newsletter", "Brochure", "Calendar", "Card", "Certificate"], 1):
    write(f"templates/{kind.lower()}.tpl", template(kind, n))
for n, kind in enumerate(["Quote", "Order", "Receipt", "Agenda", "Minutes", "Price list"], 1):
    write(f"templates/business/{kind.lower().replace(' ', '_')}.tpl", template(kind, n))
for n, kind in enumerate(["Birthday", "Wedding", "Party", "Recipe", "Diary", "Thanks"], 1):
    write(f"templates/personal/{kind.lower()}.tpl", template(kind, n))

for n in range(1, 9):
    write(f"samples/sample{n}.qvd", template("Sample document", n) * 2)
for n, size in enumerate([(64, 48), (96, 64), (80, 80), (120, 90), (48, 48), (100, 60)], 1):
    write(f"samples/images/picture{n}.bmp",
          bitmap(size[0] * 3, size[1] * 3,
                 lambda x, y, n=n: (x // (n + 2) + y // (n + 3) + (rng.random() < 0.3) * rng.randint(1, 3)) % 16))
for n in range(1, 5):
    write(f"samples/images/icons/mark{n}.bmp", bitmap(32, 32, lambda x, y, n=n: (x * y + n) % 16))
write("samples/images/photo1.jpg", already_compressed("jpg", 42000))
write("samples/images/photo2.jpg", already_compressed("jpg", 36000))
write("samples/images/logo.png", already_compressed("png", 14000))

for name in ["english", "british", "legal", "medical"]:
    words = sorted({rng.choice(WORDS) + rng.choice(WORDS)[:rng.randint(1, 5)] for _ in range(900)})
    write(f"dictionary/{name}.dic", ("\r\n".join(words) + "\r\n").encode("ascii"))
write("dictionary/user/custom.dic", ("\r\n".join(sorted(set(WORDS))) + "\r\nQuorvelane\r\n").encode("ascii"))
write("dictionary/user/exclude.dic", b"colour\r\ncentre\r\nlicence\r\nQuorvel\r\nfooter\r\nheader\r\nglossary\r\nindex\r\nchapter\r\nsection\r\nparagraph\r\n")

write("extras/clipart.zip", already_compressed("zip", 24000))
write("extras/borders.zip", already_compressed("zip", 16000))
write("extras/fonts.zip", already_compressed("zip", 12000))
for n in range(1, 7):
    write(f"extras/borders/border{n}.bmp", bitmap(64, 64, lambda x, y, n=n: (x + y * n + (rng.random() < 0.2)) % 16))

for name in ["getting_started", "layout", "printing"]:
    write(f"help/{name}.txt", text_file(name.replace("_", " ").title(), 8))
write("help/tutorial/lesson1.txt", text_file("Lesson 1: a first page", 7))
write("help/tutorial/lesson2.txt", text_file("Lesson 2: frames and columns", 7))
write("help/tutorial/lesson3.txt", text_file("Lesson 3: printing", 7))
write("help/tutorial/files/lesson1.qvd", template("Lesson", 1))
write("help/tutorial/files/lesson2.qvd", template("Lesson", 2))

with open(os.path.join(os.path.dirname(ROOT), "manifest.txt"), "w") as out:
    out.write("# The sample product's committed files, in payload order after quorvel.exe.\n")
    out.write("# Written by make_sample.py.\n")
    for relative in files:
        out.write(relative + "\n")
print(len(files), "files,", sum(os.path.getsize(os.path.join(ROOT, *f.split("/"))) for f in files), "bytes")
