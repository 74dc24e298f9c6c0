#!/usr/bin/env python3
# Rewrites a class file compiled for Java 8 into class-file version 46.0, refusing any construct 46.0 lacks.
"""usage: retarget_class.py input.class output.class

A modern javac cannot target version 46.0, but for plain code (no lambdas, no string
switch, no class literals) the Java 8 class file differs only in its version number and
in the StackMapTable attributes, which the type-inferring verifier of old class files
neither needs nor reads. This script parses the whole file, fails on constant-pool tags
that appeared after 46.0, drops every StackMapTable and writes the file back as 46.0.
"""
import struct
import sys

TARGET_MAJOR = 46
# Utf8, Integer, Float, Long, Double, Class, String, Fieldref, Methodref,
# InterfaceMethodref, NameAndType: everything a version-46 constant pool may hold.
ALLOWED_TAGS = {1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}


class ClassFileError(Exception):
    pass


class Reader:
    def __init__(self, data):
        self.data = data
        self.offset = 0

    def take(self, count):
        if self.offset + count > len(self.data):
            raise ClassFileError("truncated class file")
        chunk = self.data[self.offset:self.offset + count]
        self.offset += count
        return chunk

    def u1(self):
        return self.take(1)[0]

    def u2(self):
        return struct.unpack(">H", self.take(2))[0]

    def u4(self):
        return struct.unpack(">I", self.take(4))[0]


def read_constant_pool(reader):
    count = reader.u2()
    utf8 = {}
    index = 1
    while index < count:
        tag = reader.u1()
        if tag not in ALLOWED_TAGS:
            raise ClassFileError(f"constant pool tag {tag} at index {index} is newer than version {TARGET_MAJOR}")
        if tag == 1:
            length = reader.u2()
            utf8[index] = reader.take(length).decode("utf-8", "surrogatepass")
        elif tag in (3, 4, 9, 10, 11, 12):
            reader.take(4)
        elif tag in (5, 6):
            reader.take(8)
            index += 1  # longs and doubles take two slots
        else:  # Class, String
            reader.take(2)
        index += 1
    return utf8


def copy_attributes(reader, utf8, out):
    """Copies an attribute table, rewriting Code attributes without their StackMapTable."""
    count = reader.u2()
    kept = []
    for _ in range(count):
        name_index = reader.u2()
        body = reader.take(reader.u4())
        name = utf8.get(name_index)
        if name is None:
            raise ClassFileError(f"attribute name index {name_index} is not a Utf8 constant")
        if name == "StackMapTable":
            continue
        if name == "Code":
            body = rewrite_code(body, utf8)
        kept.append(struct.pack(">HI", name_index, len(body)) + body)
    out.append(struct.pack(">H", len(kept)))
    out.extend(kept)


def rewrite_code(body, utf8):
    reader = Reader(body)
    out = [reader.take(4)]  # max_stack, max_locals
    code_length = reader.u4()
    out.append(struct.pack(">I", code_length) + reader.take(code_length))
    exception_count = reader.u2()
    out.append(struct.pack(">H", exception_count) + reader.take(8 * exception_count))
    copy_attributes(reader, utf8, out)
    if reader.offset != len(body):
        raise ClassFileError("trailing bytes in a Code attribute")
    return b"".join(out)


def retarget(data):
    reader = Reader(data)
    if reader.u4() != 0xCAFEBABE:
        raise ClassFileError("not a class file")
    reader.u2()
    major = reader.u2()
    if major < TARGET_MAJOR or major > 52:
        raise ClassFileError(f"class-file major version {major}: compile with --release 8")
    pool_start = reader.offset
    utf8 = read_constant_pool(reader)
    out = [struct.pack(">IHH", 0xCAFEBABE, 0, TARGET_MAJOR), data[pool_start:reader.offset]]
    out.append(reader.take(6))  # access flags, this class, super class
    interface_count = reader.u2()
    out.append(struct.pack(">H", interface_count) + reader.take(2 * interface_count))
    for _members in ("fields", "methods"):
        member_count = reader.u2()
        out.append(struct.pack(">H", member_count))
        for _ in range(member_count):
            out.append(reader.take(6))  # access flags, name, descriptor
            copy_attributes(reader, utf8, out)
    copy_attributes(reader, utf8, out)
    if reader.offset != len(data):
        raise ClassFileError("trailing bytes after the class file")
    return b"".join(out)


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    with open(argv[1], "rb") as source:
        data = source.read()
    try:
        rewritten = retarget(data)
    except ClassFileError as error:
        print(f"{argv[1]}: {error}", file=sys.stderr)
        return 1
    with open(argv[2], "wb") as target:
        target.write(rewritten)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
