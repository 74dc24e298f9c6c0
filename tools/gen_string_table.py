#!/usr/bin/env python3
"""Turns resources/messages.tsv into the string table blocks: a resource script for Windows
and a C++ table for Linux, both holding the same 16-entry UTF-16 blocks."""
import sys

LANGUAGES = (1033, 2052)
# Block 17 carries the application's service texts; the packager rewrites them in place, so
# the block is padded to hold the longest texts it accepts (in UTF-16 units).
SERVICE_ROOM = {256: 255, 257: 256, 258: 1024, 259: 512}
SERVICE_BLOCK = 17
# Ids the table must carry even when no text is given, so that their blocks exist.
REQUIRED_BLOCKS = (1, 17, 18, 65)


def read_messages(path):
    texts = {}
    with open(path, encoding="utf-8") as source:
        for line in source:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            ident, language, text = line.split("\t", 2)
            texts[(int(ident), int(language))] = text.replace("\\n", "\n")
    return texts


def units_of(text):
    data = text.encode("utf-16-le")
    return [int.from_bytes(data[i:i + 2], "little") for i in range(0, len(data), 2)]


def build_blocks(texts):
    numbers = set(REQUIRED_BLOCKS) | {ident // 16 + 1 for ident, _ in texts}
    blocks = {}
    for number in sorted(numbers):
        for language in LANGUAGES:
            units = []
            for entry in range(16):
                text_units = units_of(texts.get(((number - 1) * 16 + entry, language), ""))
                units.append(len(text_units))
                units.extend(text_units)
            if number == SERVICE_BLOCK:
                room = 16 + sum(SERVICE_ROOM.values())
                if len(units) > room:
                    sys.exit("service texts exceed their room")
                units.extend([0] * (room - len(units)))
            blocks[(number, language)] = units
    return blocks


def write_resource_script(blocks, path):
    with open(path, "w", encoding="ascii") as out:
        out.write("// Generated from resources/messages.tsv; do not edit.\n")
        for (number, language), units in blocks.items():
            out.write("LANGUAGE 0x%02X, 0x%02X\n" % (language & 0x3FF, language >> 10))
            out.write("%d 6\nBEGIN\n" % number)
            for start in range(0, len(units), 12):
                row = ", ".join("0x%04X" % u for u in units[start:start + 12])
                out.write("  " + row + ("," if start + 12 < len(units) else "") + "\n")
            out.write("END\n")


def write_table_source(blocks, path):
    # Layout: "WYRSTRT1", u32 count, then per block u16 number, u16 language, u32 byte offset
    # from the table's start, u32 byte size; then the blocks' units, little-endian.
    header = bytearray(b"WYRSTRT1") + len(blocks).to_bytes(4, "little")
    offset = len(header) + 12 * len(blocks)
    records, data = bytearray(), bytearray()
    for (number, language), units in blocks.items():
        size = 2 * len(units)
        records += number.to_bytes(2, "little") + language.to_bytes(2, "little")
        records += (offset + len(data)).to_bytes(4, "little") + size.to_bytes(4, "little")
        for u in units:
            data += u.to_bytes(2, "little")
    table = header + records + data
    with open(path, "w", encoding="ascii") as out:
        out.write("// Generated from resources/messages.tsv; do not edit.\n")
        out.write("#include \"platform/posix/string_table_data.h\"\n\n")
        out.write("WYR_STRING_TABLE_SECTION const unsigned char theStringTableData[%d] = {\n" % len(table))
        for start in range(0, len(table), 16):
            out.write("  " + ", ".join(str(b) for b in table[start:start + 16]) + ",\n")
        out.write("};\n")


def main():
    source, resource_script, table_source = sys.argv[1:4]
    blocks = build_blocks(read_messages(source))
    write_resource_script(blocks, resource_script)
    write_table_source(blocks, table_source)


if __name__ == "__main__":
    main()
