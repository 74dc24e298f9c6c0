#!/usr/bin/env python3
"""Reads a PE file's resource tree for the tests.

pe_resources.py FILE TYPE            lists NAME/LANGUAGE of every resource of that type
pe_resources.py FILE 6 BLOCK LANG    prints the 16 texts of a string table block, one per line
pe_resources.py FILE version KEY     prints a StringFileInfo value of the version record
"""
import struct
import sys


def sections(data):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    count = struct.unpack_from("<H", data, pe + 6)[0]
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    resource_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    table = optional + optional_size
    result = []
    for index in range(count):
        entry = table + 40 * index
        vsize, vaddr, rsize, raddr = struct.unpack_from("<IIII", data, entry + 8)
        result.append((vaddr, max(vsize, rsize), raddr))
    return resource_rva, result


def file_offset(rva, table):
    for vaddr, size, raddr in table:
        if vaddr <= rva < vaddr + size:
            return rva - vaddr + raddr
    raise ValueError("rva outside every section")


def entries(data, base, offset):
    named, ids = struct.unpack_from("<HH", data, base + offset + 12)
    for index in range(named + ids):
        ident, target = struct.unpack_from("<II", data, base + offset + 16 + 8 * index)
        yield ident, target


def resources(path):
    data = open(path, "rb").read()
    rva, table = sections(data)
    base = file_offset(rva, table)
    found = {}
    for type_id, type_target in entries(data, base, 0):
        for name_id, name_target in entries(data, base, type_target & 0x7FFFFFFF):
            for language, leaf in entries(data, base, name_target & 0x7FFFFFFF):
                data_rva, size = struct.unpack_from("<II", data, base + leaf)
                start = file_offset(data_rva, table)
                found[(type_id, name_id, language)] = data[start:start + size]
    return found


def block_texts(block):
    units = struct.unpack("<%dH" % (len(block) // 2), block[: len(block) // 2 * 2])
    position, texts = 0, []
    for _ in range(16):
        length = units[position] if position < len(units) else 0
        texts.append("".join(chr(u) for u in units[position + 1:position + 1 + length]))
        position += length + 1
    return texts


def main():
    path, kind = sys.argv[1], sys.argv[2]
    found = resources(path)
    if kind == "version":
        record = next(v for (t, _, _), v in found.items() if t == 16).decode("utf-16-le", "replace")
        key = sys.argv[3] + "\0"
        at = record.index(key) + len(key)
        while record[at] == "\0":
            at += 1
        print(record[at:record.index("\0", at)])
    elif len(sys.argv) > 3:
        block = found[(int(kind), int(sys.argv[3]), int(sys.argv[4]))]
        for text in block_texts(block):
            print(text.replace("\n", "\\n"))
    else:
        for (t, name, language) in sorted(found):
            if t == int(kind):
                print("%d/%d" % (name, language))


if __name__ == "__main__":
    main()
