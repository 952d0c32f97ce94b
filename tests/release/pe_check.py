#!/usr/bin/python3
"""Checks the PE structure of setup programs made by kpx release, with pefile (Debian
python3-pefile), not with kpx's own reader: the headers and section table parse without
warnings, raw data and addresses follow each other, SizeOfImage covers the last section, the
checksum is right (unsigned files: osslsigncode recomputes it after signing), and the resource
directory holds the dialog 110, the icon group 108 with the images it names, and one payload
"KPX" 119.
    pe_check.py SETUP.exe"""
import sys

import pefile


def problems(path):
    pe = pefile.PE(path)
    out = [f"pefile: {w}" for w in pe.get_warnings()]
    oh = pe.OPTIONAL_HEADER
    if pe.generate_checksum() != oh.CheckSum:
        out.append(f"CheckSum {oh.CheckSum:#x}, computed {pe.generate_checksum():#x}")
    end = pe.sections[0].PointerToRawData
    vend = 0
    for s in pe.sections:
        name = s.Name.rstrip(b"\0").decode()
        if s.SizeOfRawData and s.PointerToRawData != end:
            out.append(f"{name}: raw data at {s.PointerToRawData:#x}, want {end:#x}")
        end = s.PointerToRawData + s.SizeOfRawData if s.SizeOfRawData else end
        if s.VirtualAddress < vend:
            out.append(f"{name}: overlaps the section before it")
        vend = s.VirtualAddress + s.Misc_VirtualSize
    align = oh.SectionAlignment
    if oh.SizeOfImage != (vend + align - 1) // align * align:
        out.append(f"SizeOfImage {oh.SizeOfImage:#x}, sections end at {vend:#x}")
    signed = pe.OPTIONAL_HEADER.DATA_DIRECTORY[4].Size != 0
    if not signed and end != len(pe.__data__):
        out.append(f"{len(pe.__data__) - end} bytes after the last section")
    resources = {}
    for t in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        type_key = str(t.name) if t.name else t.id
        for n in t.directory.entries:
            for lang in n.directory.entries:
                resources.setdefault((type_key, n.id), []).append(lang.data.struct)
    if (5, 110) not in resources:
        out.append("no dialog 110")
    group = resources.get((14, 108))
    if not group:
        out.append("no icon group 108")
    else:
        data = pe.get_data(group[0].OffsetToData, group[0].Size)
        for i in range(int.from_bytes(data[4:6], "little")):
            entry = data[6 + 14 * i: 20 + 14 * i]
            icon_id = int.from_bytes(entry[12:14], "little")
            icon = resources.get((3, icon_id))
            if not icon or icon[0].Size != int.from_bytes(entry[8:12], "little"):
                out.append(f"icon group 108 names image {icon_id}, which is missing or of another size")
    payload = resources.get(("KPX", 119), [])
    if len(payload) != 1:
        out.append(f"{len(payload)} payload resources KPX 119, want 1")
    return out


if __name__ == "__main__":
    found = problems(sys.argv[1])
    for p in found:
        print(f"{sys.argv[1]}: {p}")
    sys.exit(1 if found else 0)
