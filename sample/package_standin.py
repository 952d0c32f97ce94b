#!/usr/bin/env python3
"""STAND-IN for `kpx package PACKAGE.ini -o OUTDIR` until the packer has it: writes
OUTDIR/payload.kpx with every file stored (the program file first, the rest sorted by name) and
OUTDIR/package_info.cpp with the package description."""
import configparser
import os
import struct
import sys

ini_path, out_dir = sys.argv[1], sys.argv[3]
config = configparser.ConfigParser(interpolation=None)
config.read(ini_path)
p = config["package"]
folder = os.path.join(os.path.dirname(os.path.abspath(ini_path)), p["product_folder"])
first = p["program_base_name"] + ".exe"
names = []
for base, _, files in os.walk(folder):
    for f in files:
        names.append(os.path.relpath(os.path.join(base, f), folder).replace(os.sep, "\\"))
names.sort(key=lambda n: (n.lower() != first.lower(), n))
os.makedirs(out_dir, exist_ok=True)
with open(os.path.join(out_dir, "payload.kpx"), "wb") as out:
    for name in names:
        data = open(os.path.join(folder, *name.split("\\")), "rb").read()
        field = name.encode("cp1252") + b"\0"
        out.write(b"kpx\n" + struct.pack("<IIII", 20 + len(field), 0, len(data), len(data)) + field + data)


def c(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


with open(os.path.join(out_dir, "package_info.cpp"), "w") as out:
    out.write('#include "setup/package_info.h"\n\nPackageInfo Package = {\n')
    out.write(f"    {int(p['create_desktop_shortcut'])},\n    {len(names)},\n")
    for key in ["title", "product_name", "default_folder_name", "program_base_name"]:
        out.write(f"    {c(p[key])},\n")
    out.write(f"    {int(p['create_uninstall'])},\n    {c(p['uninstall_argument'])},\n")
    out.write(f"    {int(p['uninstall_icon_index'])},\n    {int(p['create_help_shortcut'])},\n")
    for key in ["help_file_name", "help_shortcut_name", "default_base_directory"]:
        out.write(f"    {c(p[key])},\n")
    out.write("};\n")
