#!/usr/bin/env python3
"""Checks every delay-load address slot of a PE file: each must start out at a thunk in the file's code.

pe-delay-slots.py FILE: prints one line per delay-loaded DLL and exits 1 when a slot holds 0 or points outside the
code, which would send the first call of that function there. MinGW's linker leaves the delay-import directory
empty, so the descriptors (ImgDelayDescr: attributes 1, RVAs of name, module handle, address and name tables) are
found by their shape in the file's sections."""
import struct
import sys


class Image:
    def __init__(self, path):
        self.data = open(path, "rb").read()
        d = self.data
        pe = struct.unpack_from("<I", d, 0x3C)[0]
        if d[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        count, optional_size = struct.unpack_from("<H", d, pe + 6)[0], struct.unpack_from("<H", d, pe + 20)[0]
        optional = pe + 24
        self.wide = struct.unpack_from("<H", d, optional)[0] == 0x20B
        self.base = struct.unpack_from("<Q", d, optional + 24)[0] if self.wide else struct.unpack_from(
            "<I", d, optional + 28)[0]
        self.sections = []
        for i in range(count):
            at = optional + optional_size + 40 * i
            vsize, rva, raw_size, raw = struct.unpack_from("<IIII", d, at + 8)
            flags = struct.unpack_from("<I", d, at + 36)[0]
            self.sections.append((rva, max(vsize, raw_size), raw, raw_size, flags))

    def offset(self, rva):
        for start, size, raw, raw_size, _ in self.sections:
            if start <= rva < start + size and rva - start < raw_size:
                return raw + rva - start
        return None

    def is_code(self, rva):
        return any(start <= rva < start + size and flags & 0x20000000 for start, size, _, _, flags in self.sections)

    def pointer(self, off):
        return struct.unpack_from("<Q" if self.wide else "<I", self.data, off)[0]

    def text(self, off):
        end = self.data.find(b"\0", off)
        return self.data[off:end].decode("latin-1") if end > off else ""


def descriptors(image):
    d = image.data
    for _, _, raw, raw_size, _ in image.sections:
        for off in range(raw, raw + raw_size - 31, 4):
            attributes, name, module, slots, names, _, _, stamp = struct.unpack_from("<8I", d, off)
            if attributes != 1 or stamp or not (name and module and slots and names):
                continue
            where = [image.offset(rva) for rva in (name, slots, names)]
            if None in where or not image.text(where[0]).lower().endswith((".dll", ".drv")):
                continue
            yield image.text(where[0]), where[1], where[2]


def main(path):
    image = Image(path)
    width = 8 if image.wide else 4
    bad = 0
    for dll, slots, names in descriptors(image):
        functions = wrong = 0
        while image.pointer(names + functions * width):
            slot = image.pointer(slots + functions * width)
            if slot == 0 or not image.is_code(slot - image.base):
                entry = image.pointer(names + functions * width)
                hint = image.offset(entry & 0x7FFFFFFF)
                name = image.text(hint + 2) if hint is not None else "#%d" % (entry & 0xFFFF)
                print("%s: %s %s: slot 0x%x is no thunk" % (path, dll, name, slot))
                wrong += 1
            functions += 1
        print("%s: %s: %d delay-loaded functions, %d without a thunk" % (path, dll, functions, wrong))
        bad += wrong
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(max(main(p) for p in sys.argv[1:]))
