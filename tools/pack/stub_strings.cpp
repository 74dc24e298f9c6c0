// Finds the service texts' string block in a wyr launcher file (PE or ELF) and rewrites it.
#include "tools/pack/stub_strings.h"

#include <string.h>

#include "tools/pack/byte_order.h"

const size_t serviceTextRoom[serviceTextCount] = {255, 256, 1024, 512};
const char* const serviceTextLabels[serviceTextCount] = {"service name", "display name", "description",
                                                         "dependencies"};

namespace {

const uint16_t serviceBlockNumber = 17;
const uint32_t stringType = 6;
const uint32_t versionType = 16;
const size_t serviceBlockBytes = serviceBlockUnits * 2;

struct Section {
    uint32_t address;
    uint32_t extent;
    uint32_t fileOffset;
    uint32_t fileSize;
};

class PeReader {
public:
    PeReader(const uint8_t* bytes, size_t size) : bytes(bytes), size(size) {}

    bool open(std::string& reason)
    {
        if (size < 0x40 || bytes[0] != 'M' || bytes[1] != 'Z')
            return fail(reason, "no DOS header");
        size_t header = read32(bytes + 0x3C);
        if (!fitsWithin(header, 24, size) || memcmp(bytes + header, "PE\0\0", 4) != 0)
            return fail(reason, "no PE header");
        size_t sectionCount = read16(bytes + header + 6);
        size_t optionalSize = read16(bytes + header + 20);
        size_t optional = header + 24;
        if (!fitsWithin(optional, optionalSize, size) || optionalSize < 2)
            return fail(reason, "the optional header runs past the file");
        uint16_t magic = read16(bytes + optional);
        size_t countField = magic == 0x20B ? 108 : 92;
        size_t directories = countField + 4;
        if (magic != 0x10B && magic != 0x20B)
            return fail(reason, "unknown optional header");
        if (optionalSize < directories + 3 * 8 || read32(bytes + optional + countField) < 3)
            return fail(reason, "no resource directory");
        resourceAddress = read32(bytes + optional + directories + 2 * 8);
        size_t table = optional + optionalSize;
        if (!fitsWithin(table, sectionCount * 40, size))
            return fail(reason, "the section table runs past the file");
        for (size_t index = 0; index < sectionCount; ++index) {
            const uint8_t* entry = bytes + table + 40 * index;
            Section section{read32(entry + 12), read32(entry + 8), read32(entry + 20), read32(entry + 16)};
            sections.push_back(section);
        }
        if (resourceAddress == 0 || !fileOffset(resourceAddress, 16, resourceBase))
            return fail(reason, "no resources");
        return true;
    }

    // The file range of 'count' bytes at an address, when a section's file data holds them.
    bool fileOffset(uint32_t address, size_t count, size_t& offset) const
    {
        for (const Section& section : sections) {
            uint32_t extent = section.fileSize < section.extent || section.extent == 0 ? section.fileSize : section.extent;
            if (address < section.address || address - section.address >= extent)
                continue;
            size_t inside = address - section.address;
            if (!fitsWithin(inside, count, section.fileSize))
                return false;
            offset = section.fileOffset + inside;
            return fitsWithin(offset, count, size);
        }
        return false;
    }

    // The entries of one resource directory: (id, target) pairs, named entries skipped.
    bool directory(uint32_t relative, std::vector<std::pair<uint32_t, uint32_t>>& entries) const
    {
        entries.clear();
        size_t at = resourceBase + relative;
        if (!fitsWithin(at, 16, size))
            return false;
        size_t named = read16(bytes + at + 12);
        size_t total = named + read16(bytes + at + 14);
        if (!fitsWithin(at + 16, total * 8, size))
            return false;
        for (size_t index = named; index < total; ++index) {
            const uint8_t* entry = bytes + at + 16 + 8 * index;
            entries.emplace_back(read32(entry), read32(entry + 4));
        }
        return true;
    }

    // Looks up type/name and hands over every language's data as (language, offset, size).
    bool resources(uint32_t type, uint32_t name, bool anyName,
                   std::vector<std::pair<uint16_t, std::pair<size_t, size_t>>>& found) const
    {
        found.clear();
        std::vector<std::pair<uint32_t, uint32_t>> types, names, languages;
        if (!directory(0, types))
            return false;
        for (const auto& typeEntry : types) {
            if (typeEntry.first != type || !(typeEntry.second & 0x80000000u) ||
                !directory(typeEntry.second & 0x7FFFFFFFu, names))
                continue;
            for (const auto& nameEntry : names) {
                if ((!anyName && nameEntry.first != name) || !(nameEntry.second & 0x80000000u) ||
                    !directory(nameEntry.second & 0x7FFFFFFFu, languages))
                    continue;
                for (const auto& languageEntry : languages) {
                    size_t leaf = resourceBase + languageEntry.second;
                    if ((languageEntry.second & 0x80000000u) || !fitsWithin(leaf, 16, size))
                        continue;
                    size_t dataSize = read32(bytes + leaf + 4);
                    size_t offset = 0;
                    if (fileOffset(read32(bytes + leaf), dataSize, offset))
                        found.push_back({static_cast<uint16_t>(languageEntry.first), {offset, dataSize}});
                }
                if (anyName)
                    return true;
            }
        }
        return true;
    }

private:
    static bool fail(std::string& reason, const char* what)
    {
        reason = what;
        return false;
    }

    const uint8_t* bytes;
    size_t size;
    std::vector<Section> sections;
    uint32_t resourceAddress = 0;
    size_t resourceBase = 0;
};

bool containsUnits(const uint8_t* bytes, size_t size, const char* ascii, size_t& after)
{
    size_t count = strlen(ascii);
    for (size_t at = 0; at + 2 * count <= size; at += 2) {
        size_t matched = 0;
        while (matched < count && bytes[at + 2 * matched] == static_cast<uint8_t>(ascii[matched]) &&
               bytes[at + 2 * matched + 1] == 0)
            ++matched;
        if (matched == count) {
            after = at + 2 * count;
            return true;
        }
    }
    return false;
}

// The version record's ProductName value is "wyr".
bool namesWyr(const uint8_t* record, size_t size)
{
    size_t at = 0;
    if (!containsUnits(record, size, "ProductName", at))
        return false;
    while (at + 2 <= size && record[at] == 0 && record[at + 1] == 0)
        at += 2;
    return fitsWithin(at, 8, size) && memcmp(record + at, "w\0y\0r\0\0\0", 8) == 0;
}

bool findPeBlocks(const uint8_t* bytes, size_t size, LauncherImage& image, std::string& reason)
{
    PeReader reader(bytes, size);
    if (!reader.open(reason))
        return false;
    std::vector<std::pair<uint16_t, std::pair<size_t, size_t>>> found;
    reader.resources(versionType, 0, true, found);
    if (found.empty() || !namesWyr(bytes + found[0].second.first, found[0].second.second)) {
        reason = "its version record does not name wyr";
        return false;
    }
    reader.resources(stringType, serviceBlockNumber, false, found);
    for (const auto& block : found) {
        if (block.second.second != serviceBlockBytes) {
            reason = "its service string block has " + std::to_string(block.second.second) + " bytes, not " +
                     std::to_string(serviceBlockBytes);
            return false;
        }
        image.serviceBlocks.push_back({block.first, block.second.first});
    }
    image.portableExecutable = true;
    return true;
}

bool findElfBlocks(const uint8_t* bytes, size_t size, LauncherImage& image, std::string& reason)
{
    if (size < 0x34 || bytes[4] < 1 || bytes[4] > 2 || bytes[5] != 1) {
        reason = "not a little-endian ELF file";
        return false;
    }
    bool wide = bytes[4] == 2;
    if (wide && size < 0x40) {
        reason = "the ELF header runs past the file";
        return false;
    }
    uint64_t sectionTable = wide ? read64(bytes + 0x28) : read32(bytes + 0x20);
    size_t entrySize = read16(bytes + (wide ? 0x3A : 0x2E));
    size_t sectionCount = read16(bytes + (wide ? 0x3C : 0x30));
    size_t namesIndex = read16(bytes + (wide ? 0x3E : 0x32));
    size_t minimumEntry = wide ? 0x28 : 0x18;
    if (entrySize < minimumEntry || sectionTable > size || !fitsWithin(sectionTable, sectionCount * entrySize, size) ||
        namesIndex >= sectionCount) {
        reason = "no readable section table";
        return false;
    }
    auto sectionAt = [&](size_t index, uint64_t& offset, uint64_t& length) {
        const uint8_t* header = bytes + sectionTable + index * entrySize;
        offset = wide ? read64(header + 0x18) : read32(header + 0x10);
        length = wide ? read64(header + 0x20) : read32(header + 0x14);
        return read32(header + 4) != 8 && offset <= size && length <= size - offset;
    };
    uint64_t namesOffset = 0, namesSize = 0;
    if (!sectionAt(namesIndex, namesOffset, namesSize)) {
        reason = "no section names";
        return false;
    }
    const char wanted[] = "wyr_strings";
    for (size_t index = 0; index < sectionCount; ++index) {
        size_t nameOffset = read32(bytes + sectionTable + index * entrySize);
        if (!fitsWithin(nameOffset, sizeof wanted, namesSize) ||
            memcmp(bytes + namesOffset + nameOffset, wanted, sizeof wanted) != 0)
            continue;
        uint64_t table = 0, tableSize = 0;
        if (!sectionAt(index, table, tableSize) || tableSize < 12 || memcmp(bytes + table, "WYRSTRT1", 8) != 0) {
            reason = "its wyr_strings section holds no string table";
            return false;
        }
        size_t count = read32(bytes + table + 8);
        if (!fitsWithin(12, count * 12, tableSize)) {
            reason = "its string table's records run past the section";
            return false;
        }
        for (size_t record = 0; record < count; ++record) {
            const uint8_t* entry = bytes + table + 12 + 12 * record;
            if (read16(entry) != serviceBlockNumber)
                continue;
            size_t offset = read32(entry + 4), blockSize = read32(entry + 8);
            if (blockSize != serviceBlockBytes || !fitsWithin(offset, blockSize, tableSize)) {
                reason = "its service string block has " + std::to_string(blockSize) + " bytes, not " +
                         std::to_string(serviceBlockBytes);
                return false;
            }
            image.serviceBlocks.push_back({read16(entry + 2), static_cast<size_t>(table + offset)});
        }
        return true;
    }
    reason = "no wyr_strings section";
    return false;
}

} // namespace

bool findServiceBlocks(const uint8_t* bytes, size_t size, LauncherImage& image, std::string& reason)
{
    image = LauncherImage();
    bool found = false;
    if (size >= 2 && bytes[0] == 'M' && bytes[1] == 'Z')
        found = findPeBlocks(bytes, size, image, reason);
    else if (size >= 4 && memcmp(bytes, "\x7F" "ELF", 4) == 0)
        found = findElfBlocks(bytes, size, image, reason);
    else
        reason = "neither a PE nor an ELF executable";
    if (found && image.serviceBlocks.empty()) {
        reason = "its string table has no service block";
        found = false;
    }
    return found;
}

bool readStringBlock(const uint8_t* block, size_t unitCount, std::vector<std::u16string>& texts)
{
    texts.assign(16, std::u16string());
    size_t position = 0;
    for (std::u16string& text : texts) {
        if (position >= unitCount)
            return false;
        size_t length = read16(block + 2 * position);
        if (length > unitCount - position - 1)
            return false;
        for (size_t unit = 0; unit < length; ++unit)
            text.push_back(static_cast<char16_t>(read16(block + 2 * (position + 1 + unit))));
        position += length + 1;
    }
    return true;
}

bool writeStringBlock(uint8_t* block, size_t unitCount, const std::vector<std::u16string>& texts)
{
    size_t needed = 0;
    for (const std::u16string& text : texts)
        needed += 1 + text.size();
    if (needed > unitCount || texts.size() != 16)
        return false;
    memset(block, 0, 2 * unitCount);
    size_t position = 0;
    for (const std::u16string& text : texts) {
        write16(block + 2 * position++, static_cast<uint32_t>(text.size()));
        for (char16_t unit : text)
            write16(block + 2 * position++, unit);
    }
    return true;
}
