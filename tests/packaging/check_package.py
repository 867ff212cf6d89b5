"""Checks what quillmarsh.exe ships as: its PE header, the DLLs it needs, its icon and its manifest.

    check_package.py EXE --arch win32|win64 --objdump OBJDUMP CHECK
CHECK is one of: header, dlls, icon, manifest. Exit code 0 when the check holds.
"""

import argparse
import re
import struct
import subprocess
import sys
import xml.etree.ElementTree as ET

# DLLs that every supported Windows ships (no runtime of the compiler).
SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "advapi32.dll", "shell32.dll", "comctl32.dll",
    "comdlg32.dll", "ole32.dll", "oleaut32.dll", "ntdll.dll", "shlwapi.dll", "uxtheme.dll", "winmm.dll",
    "version.dll", "imm32.dll", "ws2_32.dll",
}

RT_ICON, RT_GROUP_ICON, RT_MANIFEST = 3, 14, 24
IMAGE_SUBSYSTEM_WINDOWS_GUI = 2
EXPECTED = {
    # arch: (COFF machine, optional header magic, objdump's name of the format)
    "win32": (0x14C, 0x10B, "pei-i386"),
    "win64": (0x8664, 0x20B, "pei-x86-64"),
}


class Failed(Exception):
    pass


class PeFile:
    """Just enough of the PE format to read the header fields and the resource tree."""

    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        if self.data[:2] != b"MZ":
            raise Failed("%s is not an MZ executable" % path)
        pe = struct.unpack_from("<I", self.data, 0x3C)[0]
        if self.data[pe:pe + 4] != b"PE\0\0":
            raise Failed("%s has no PE signature" % path)
        self.machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", self.data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", self.data, optional)[0]
        self.subsystem = struct.unpack_from("<H", self.data, optional + 68)[0]
        directories = optional + (96 if self.magic == 0x10B else 112)
        self.resource_rva, self.resource_size = struct.unpack_from("<II", self.data, directories + 2 * 8)
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            _, virtual_size, rva, raw_size, raw_offset = struct.unpack_from("<8sIIII", self.data, table + 40 * i)
            self.sections.append((rva, max(virtual_size, raw_size), raw_offset))

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise Failed("address 0x%x lies in no section" % rva)

    def resources(self):
        """{type: {name or id: bytes}} with the first language of each resource."""
        if not self.resource_rva:
            return {}
        base = self.offset(self.resource_rva)

        def entries(directory):
            named, ids = struct.unpack_from("<HH", self.data, base + directory + 12)
            for i in range(named + ids):
                key, target = struct.unpack_from("<II", self.data, base + directory + 16 + 8 * i)
                if key & 0x80000000:
                    at = base + (key & 0x7FFFFFFF)
                    length = struct.unpack_from("<H", self.data, at)[0]
                    key = self.data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
                yield key, target

        tree = {}
        for kind, names in entries(0):
            for name, languages in entries(names & 0x7FFFFFFF):
                for _, leaf in entries(languages & 0x7FFFFFFF):
                    rva, size = struct.unpack_from("<II", self.data, base + leaf)
                    start = self.offset(rva)
                    tree.setdefault(kind, {}).setdefault(name, self.data[start:start + size])
        return tree


def check_header(pe, arch, objdump_text):
    machine, magic, format_name = EXPECTED[arch]
    if pe.machine != machine or pe.magic != magic:
        raise Failed("machine 0x%x, optional header 0x%x; expected 0x%x, 0x%x for %s"
                     % (pe.machine, pe.magic, machine, magic, arch))
    if pe.subsystem != IMAGE_SUBSYSTEM_WINDOWS_GUI:
        raise Failed("subsystem %d; expected %d (Windows GUI)" % (pe.subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI))
    if "file format " + format_name not in objdump_text:
        raise Failed("objdump does not see a %s file" % format_name)
    if not re.search(r"^Subsystem\s+0+2\s+\(Windows GUI\)", objdump_text, re.M):
        raise Failed("objdump does not report the Windows GUI subsystem")
    return "%s, %s, Windows GUI" % (arch, format_name)


def check_dlls(pe, arch, objdump_text):
    dlls = re.findall(r"DLL Name:\s*(\S+)", objdump_text)
    if not dlls:
        raise Failed("objdump lists no imported DLL at all")
    foreign = [dll for dll in dlls if dll.lower() not in SYSTEM_DLLS]
    if foreign:
        raise Failed("needs DLLs that Windows does not ship: %s" % ", ".join(foreign))
    return "imports only " + ", ".join(dlls)


def check_icon(pe, arch, objdump_text):
    resources = pe.resources()
    group = resources.get(RT_GROUP_ICON, {}).get("DEFAULT_ICON")
    if group is None:
        raise Failed("no icon group named DEFAULT_ICON (groups: %r)" % list(resources.get(RT_GROUP_ICON, {})))
    _, kind, count = struct.unpack_from("<HHH", group, 0)
    if kind != 1:
        raise Failed("DEFAULT_ICON is not an icon group")
    sizes = set()
    for i in range(count):
        width, height, _, _, _, _, _, image_id = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
        width, height = width or 256, height or 256
        image = resources.get(RT_ICON, {}).get(image_id)
        if image is None:
            raise Failed("icon image %d of DEFAULT_ICON is missing" % image_id)
        if image[:8] == b"\x89PNG\r\n\x1a\n":
            actual = struct.unpack_from(">II", image, 16)
        else:
            bitmap_width, bitmap_height = struct.unpack_from("<ii", image, 4)
            actual = (bitmap_width, bitmap_height // 2)  # colour and mask rows
        if actual != (width, height):
            raise Failed("icon image %d is %dx%d but listed as %dx%d" % (image_id, *actual, width, height))
        sizes.add((width, height))
    for wanted in ((32, 32), (16, 16)):
        if wanted not in sizes:
            raise Failed("DEFAULT_ICON has no %dx%d image (has %s)" % (*wanted, sorted(sizes)))
    return "DEFAULT_ICON with " + ", ".join("%dx%d" % s for s in sorted(sizes, reverse=True))


def check_manifest(pe, arch, objdump_text):
    manifests = pe.resources().get(RT_MANIFEST, {})
    if 1 not in manifests:
        raise Failed("no manifest resource with ID 1 (has %r)" % list(manifests))
    root = ET.fromstring(manifests[1])

    def local(tag):
        return tag.rsplit("}", 1)[-1]

    controls = [e for e in root.iter() if local(e.tag) == "assemblyIdentity"
                and e.get("name") == "Microsoft.Windows.Common-Controls"]
    if not controls or not controls[0].get("version", "").startswith("6."):
        raise Failed("the manifest does not ask for version 6 of the common controls")
    for element in root.iter():
        name, value = local(element.tag), (element.text or "").strip().lower()
        if name == "dpiAware" and value not in ("", "false"):
            raise Failed("the manifest declares dpiAware %r" % value)
        if name == "dpiAwareness" and value not in ("", "unaware"):
            raise Failed("the manifest declares dpiAwareness %r" % value)
    return "common controls %s, no DPI awareness" % controls[0].get("version")


CHECKS = {"header": check_header, "dlls": check_dlls, "icon": check_icon, "manifest": check_manifest}


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.strip().splitlines()[0])
    parser.add_argument("exe")
    parser.add_argument("check", choices=sorted(CHECKS))
    parser.add_argument("--arch", choices=sorted(EXPECTED), required=True)
    parser.add_argument("--objdump", required=True)
    options = parser.parse_args(argv)
    try:
        objdump = subprocess.run([options.objdump, "-p", options.exe], capture_output=True, text=True,
                                 timeout=60)
        if objdump.returncode != 0:
            raise Failed("objdump failed: " + objdump.stderr.strip())
        summary = CHECKS[options.check](PeFile(options.exe), options.arch, objdump.stdout)
    except (Failed, struct.error, ET.ParseError) as failure:
        print("FAIL %s: %s" % (options.check, failure))
        return 1
    print("ok %s: %s" % (options.check, summary))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
