// Little-endian field access on byte buffers, for the ZIP, PE and ELF structures the packager reads.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <vector>

inline uint32_t readLittle(const uint8_t* bytes, int size)
{
    uint32_t value = 0;
    for (int index = size - 1; index >= 0; --index)
        value = (value << 8) | bytes[index];
    return value;
}

inline uint16_t read16(const uint8_t* bytes) { return static_cast<uint16_t>(readLittle(bytes, 2)); }
inline uint32_t read32(const uint8_t* bytes) { return readLittle(bytes, 4); }
inline uint64_t read64(const uint8_t* bytes) { return read32(bytes) | (static_cast<uint64_t>(read32(bytes + 4)) << 32); }

inline void write16(uint8_t* bytes, uint32_t value)
{
    bytes[0] = static_cast<uint8_t>(value);
    bytes[1] = static_cast<uint8_t>(value >> 8);
}

inline void write32(uint8_t* bytes, uint32_t value)
{
    write16(bytes, value);
    write16(bytes + 2, value >> 16);
}

inline void append16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

inline void append32(std::vector<uint8_t>& out, uint32_t value)
{
    append16(out, value);
    append16(out, value >> 16);
}

// True when 'count' bytes starting at 'offset' lie within 'size' bytes, without overflow.
inline bool fitsWithin(size_t offset, size_t count, size_t size)
{
    return offset <= size && count <= size - offset;
}
