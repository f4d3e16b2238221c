#!/usr/bin/env python3
"""Layouts the gmsh program on this machine does not write, made from the ones
it does: a binary file in the other byte order (versions 2.2 and 4.1) and a
binary file of version 4.0 (gmsh 4.8 writes 4.0 in ASCII only).

    make_variants.py swap IN.msh OUT.msh      # binary 2.2 or 4.1, byte order flipped
    make_variants.py bin40 IN.msh OUT.msh     # ASCII 4.0 to binary 4.0, little-endian

Each output is checked by reading it back with gmsh (see README.md)."""
import struct
import sys

NODES = {15: 1, 1: 2, 2: 3, 8: 3, 3: 4, 4: 4, 9: 6}


class Swapper:
    def __init__(self, data):
        self.data, self.at, self.out = data, 0, bytearray()

    def line(self):
        end = self.data.index(b"\n", self.at) + 1
        text = self.data[self.at:end]
        self.out += text
        self.at = end
        return text.strip().decode()

    def values(self, kind, count=None):
        n = 1 if count is None else count
        got = struct.unpack_from("<%d%s" % (n, kind), self.data, self.at)
        self.out += struct.pack(">%d%s" % (n, kind), *got)
        self.at += struct.calcsize("<" + kind) * n
        return got[0] if count is None else got

    def copy_until(self, end):
        while self.line() != end:
            pass


def swap(data):
    s = Swapper(data)
    assert s.line() == "$MeshFormat"
    version = s.line().split()[0]
    assert s.values("i") == 1
    s.copy_until("$EndMeshFormat")
    tag = "i" if version == "2.2" else "Q"
    while s.at < len(data):
        section = s.line()
        if section == "$Entities":
            counts = s.values("Q", 4)
            for dim, n in enumerate(counts):
                for _ in range(n):
                    s.values("i")
                    s.values("d", 3 if dim == 0 else 6)
                    s.values("i", s.values("Q"))
                    if dim > 0:
                        s.values("i", s.values("Q"))
        elif section == "$Nodes" and version == "2.2":
            for _ in range(int(s.line())):
                s.values("i")
                s.values("d", 3)
        elif section == "$Nodes":
            blocks = s.values("Q", 4)[0]
            for _ in range(blocks):
                s.values("i", 3)
                n = s.values("Q")
                s.values("Q", n)
                s.values("d", 3 * n)
        elif section == "$Elements" and version == "2.2":
            total, done = int(s.line()), 0
            while done < total:
                etype, follow, ntags = s.values("i", 3)
                s.values("i", follow * (1 + ntags + NODES[etype]))
                done += follow
        elif section == "$Elements":
            blocks = s.values("Q", 4)[0]
            for _ in range(blocks):
                etype = s.values("i", 3)[2]
                n = s.values("Q")
                s.values(tag, n * (1 + NODES[etype]))
        if section.startswith("$") and not section.startswith("$End"):
            s.copy_until("$End" + section[1:])
    return bytes(s.out)


def binary40(text):
    lines = iter(text.decode().splitlines())
    out = bytearray()
    for line in lines:
        if line == "$MeshFormat":
            next(lines)
            out += b"$MeshFormat\n4 1 8\n" + struct.pack("<i", 1) + b"\n"
        elif line == "$Entities":
            counts = list(map(int, next(lines).split()))
            out += b"$Entities\n" + struct.pack("<4Q", *counts)
            for dim, n in enumerate(counts):
                for _ in range(n):
                    fields = next(lines).split()
                    out += struct.pack("<i6d", int(fields[0]), *map(float, fields[1:7]))
                    rest = list(map(int, fields[7:]))
                    physicals = rest[: 1 + rest[0]]
                    out += struct.pack("<Q%di" % rest[0], *physicals)
                    if dim > 0:
                        bounding = rest[1 + rest[0]:]
                        out += struct.pack("<Q%di" % bounding[0], *bounding)
            assert next(lines) == "$EndEntities"
            out += b"\n$EndEntities\n"
            continue
        elif line in ("$Nodes", "$Elements"):
            blocks, total = map(int, next(lines).split())
            out += b"%s\n" % line.encode() + struct.pack("<QQ", blocks, total)
            for _ in range(blocks):
                entity, dim, kind, n = map(int, next(lines).split())
                out += struct.pack("<iiiQ", entity, dim, kind, n)
                for _ in range(n):
                    fields = next(lines).split()
                    if line == "$Nodes":
                        out += struct.pack("<i3d", int(fields[0]), *map(float, fields[1:4]))
                    else:
                        out += struct.pack("<%di" % len(fields), *map(int, fields))
            out += b"\n"
        else:
            out += line.encode() + b"\n"
    return bytes(out)


if __name__ == "__main__":
    mode, source, target = sys.argv[1:4]
    data = open(source, "rb").read()
    open(target, "wb").write(swap(data) if mode == "swap" else binary40(data))
