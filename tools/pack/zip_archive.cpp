// Reads the entry list of a ZIP archive held in memory and writes the merged archive.
#include "tools/pack/zip_archive.h"

#include <string.h>

#include "tools/pack/byte_order.h"

namespace {

const size_t endRecordSize = 22;
const size_t centralHeaderSize = 46;
const size_t localHeaderSize = 30;
const size_t largestComment = 0xFFFF;
const uint16_t descriptorFlag = 8;

bool hasSignature(const uint8_t* bytes, uint8_t third, uint8_t fourth)
{
    return bytes[0] == 'P' && bytes[1] == 'K' && bytes[2] == third && bytes[3] == fourth;
}

// The end record nearest the end whose comment ends the file; failing that, the nearest whose
// comment at least fits, for archives with bytes after them.
bool findEndRecord(const uint8_t* bytes, size_t size, size_t& position)
{
    if (size < endRecordSize)
        return false;
    size_t lowest = size - endRecordSize > largestComment ? size - endRecordSize - largestComment : 0;
    for (int pass = 0; pass < 2; ++pass) {
        for (size_t at = size - endRecordSize + 1; at-- > lowest;) {
            if (!hasSignature(bytes + at, 5, 6))
                continue;
            size_t end = at + endRecordSize + read16(bytes + at + 20);
            if (end == size || (pass == 1 && end <= size)) {
                position = at;
                return true;
            }
        }
    }
    return false;
}

struct CrcTable {
    CrcTable()
    {
        for (uint32_t index = 0; index < 256; ++index) {
            uint32_t value = index;
            for (int bit = 0; bit < 8; ++bit)
                value = (value & 1) ? 0xEDB88320u ^ (value >> 1) : value >> 1;
            values[index] = value;
        }
    }
    uint32_t values[256];
};

std::string number(size_t value) { return std::to_string(value); }

} // namespace

ZipProblem readZipListing(const uint8_t* bytes, size_t size, ZipListing& listing, std::string& detail)
{
    listing = ZipListing();
    size_t end = 0;
    if (!findEndRecord(bytes, size, end)) {
        if (size >= 4 && hasSignature(bytes, 3, 4)) {
            detail = "no end of central directory record (the file ends early)";
            return ZipProblem::truncated;
        }
        detail = "no end of central directory record";
        return ZipProblem::notZip;
    }
    const uint8_t* record = bytes + end;
    if (end >= 20 && hasSignature(bytes + end - 20, 6, 7)) {
        detail = "ZIP64 archives are not supported";
        return ZipProblem::unsupported;
    }
    if (read16(record + 4) != 0 || read16(record + 6) != 0) {
        detail = "archives split over several disks are not supported";
        return ZipProblem::unsupported;
    }
    size_t count = read16(record + 10);
    size_t centralSize = read32(record + 12);
    size_t centralOffset = read32(record + 16);
    listing.commentOffset = end + endRecordSize;
    listing.commentSize = read16(record + 20);
    if (read16(record + 8) != count) {
        detail = "the end record counts " + number(read16(record + 8)) + " entries on its disk but " + number(count) +
                 " in all";
        return ZipProblem::inconsistent;
    }
    if (centralSize > end || centralOffset > end - centralSize) {
        detail = "the central directory (" + number(centralSize) + " bytes at offset " + number(centralOffset) +
                 ") does not fit before the end record";
        return ZipProblem::inconsistent;
    }
    size_t centralStart = end - centralSize;
    // Offsets count from the archive's first byte, which need not be the file's.
    listing.archiveStart = centralStart - centralOffset;

    size_t at = centralStart;
    for (size_t index = 0; index < count; ++index) {
        if (!fitsWithin(at, centralHeaderSize, end) || !hasSignature(bytes + at, 1, 2)) {
            detail = "central directory entry " + number(index + 1) + " of " + number(count) + " is missing";
            return ZipProblem::inconsistent;
        }
        const uint8_t* central = bytes + at;
        size_t nameSize = read16(central + 28);
        size_t recordSize = centralHeaderSize + nameSize + read16(central + 30) + read16(central + 32);
        if (!fitsWithin(at, recordSize, end)) {
            detail = "central directory entry " + number(index + 1) + " runs past the central directory";
            return ZipProblem::inconsistent;
        }
        ZipEntry entry;
        entry.name.assign(reinterpret_cast<const char*>(central + centralHeaderSize), nameSize);
        entry.centralOffset = at;
        entry.centralSize = recordSize;
        uint32_t compressedSize = read32(central + 20);
        uint32_t localOffset = read32(central + 42);
        if (compressedSize == 0xFFFFFFFF || read32(central + 24) == 0xFFFFFFFF || localOffset == 0xFFFFFFFF) {
            detail = "entry " + entry.name + " needs ZIP64 records, which are not supported";
            return ZipProblem::unsupported;
        }
        size_t local = listing.archiveStart + localOffset;
        if (!fitsWithin(local, localHeaderSize, centralStart) || !hasSignature(bytes + local, 3, 4)) {
            detail = "entry " + entry.name + " has no local header at offset " + number(localOffset);
            return ZipProblem::inconsistent;
        }
        size_t localNameSize = read16(bytes + local + 26);
        size_t dataStart = localHeaderSize + localNameSize + read16(bytes + local + 28);
        if (localNameSize != nameSize || !fitsWithin(local, dataStart, centralStart) ||
            memcmp(bytes + local + localHeaderSize, central + centralHeaderSize, nameSize) != 0) {
            detail = "the local header of entry " + entry.name + " names another entry";
            return ZipProblem::inconsistent;
        }
        size_t runSize = dataStart + compressedSize;
        if (read16(central + 8) & descriptorFlag) {
            // The descriptor's signature is optional; its crc and two sizes are not.
            size_t descriptor = local + runSize;
            bool marked = fitsWithin(descriptor, 4, centralStart) && hasSignature(bytes + descriptor, 7, 8);
            runSize += marked ? 16 : 12;
        }
        if (!fitsWithin(local, runSize, centralStart)) {
            detail = "the data of entry " + entry.name + " runs into the central directory";
            return ZipProblem::inconsistent;
        }
        entry.localOffset = local;
        entry.localSize = runSize;
        listing.entries.push_back(entry);
        at += recordSize;
    }
    if (at != end) {
        detail = "the central directory holds " + number(end - at) + " bytes more than its " + number(count) +
                 " entries";
        return ZipProblem::inconsistent;
    }
    return ZipProblem::none;
}

uint32_t zipCrc32(const uint8_t* bytes, size_t size)
{
    static const CrcTable table;
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t index = 0; index < size; ++index)
        crc = table.values[(crc ^ bytes[index]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void ZipWriter::addCopied(const uint8_t* source, const ZipEntry& entry)
{
    size_t offset = localRecords.size();
    offsetOverflow = offsetOverflow || offset > 0xFFFFFFFEu;
    localRecords.insert(localRecords.end(), source + entry.localOffset, source + entry.localOffset + entry.localSize);
    size_t central = centralRecords.size();
    centralRecords.insert(centralRecords.end(), source + entry.centralOffset,
                          source + entry.centralOffset + entry.centralSize);
    write16(&centralRecords[central + 34], 0);
    write32(&centralRecords[central + 42], static_cast<uint32_t>(offset));
    ++entryCount;
}

void ZipWriter::addStored(const std::string& name, const uint8_t* data, size_t size)
{
    size_t offset = localRecords.size();
    offsetOverflow = offsetOverflow || offset > 0xFFFFFFFEu || size > 0xFFFFFFFEu;
    uint32_t crc = zipCrc32(data, size);
    // A fixed time stamp (1980-01-01) keeps the output the same from run to run.
    const uint32_t dosTime = 0, dosDate = 0x21;
    append32(localRecords, 0x04034B50);
    append16(localRecords, 10);
    append16(localRecords, 0);
    append16(localRecords, 0);
    append16(localRecords, dosTime);
    append16(localRecords, dosDate);
    append32(localRecords, crc);
    append32(localRecords, static_cast<uint32_t>(size));
    append32(localRecords, static_cast<uint32_t>(size));
    append16(localRecords, static_cast<uint32_t>(name.size()));
    append16(localRecords, 0);
    localRecords.insert(localRecords.end(), name.begin(), name.end());
    localRecords.insert(localRecords.end(), data, data + size);

    append32(centralRecords, 0x02014B50);
    append16(centralRecords, 20);
    append16(centralRecords, 10);
    append16(centralRecords, 0);
    append16(centralRecords, 0);
    append16(centralRecords, dosTime);
    append16(centralRecords, dosDate);
    append32(centralRecords, crc);
    append32(centralRecords, static_cast<uint32_t>(size));
    append32(centralRecords, static_cast<uint32_t>(size));
    append16(centralRecords, static_cast<uint32_t>(name.size()));
    append16(centralRecords, 0);
    append16(centralRecords, 0);
    append16(centralRecords, 0);
    append16(centralRecords, 0);
    append32(centralRecords, 0);
    append32(centralRecords, static_cast<uint32_t>(offset));
    centralRecords.insert(centralRecords.end(), name.begin(), name.end());
    ++entryCount;
}

bool ZipWriter::finish(const std::string& comment, std::vector<uint8_t>& out, std::string& reason) const
{
    if (entryCount > 0xFFFF) {
        reason = "the archive would hold " + number(entryCount) + " entries, more than 65535";
        return false;
    }
    if (offsetOverflow || localRecords.size() > 0xFFFFFFFEu || centralRecords.size() > 0xFFFFFFFEu ||
        localRecords.size() + centralRecords.size() > 0xFFFFFFFEu) {
        reason = "the archive would pass 4 GiB";
        return false;
    }
    if (comment.size() > largestComment) {
        reason = "the archive comment is " + number(comment.size()) + " bytes, more than 65535";
        return false;
    }
    out.insert(out.end(), localRecords.begin(), localRecords.end());
    out.insert(out.end(), centralRecords.begin(), centralRecords.end());
    append32(out, 0x06054B50);
    append16(out, 0);
    append16(out, 0);
    append16(out, static_cast<uint32_t>(entryCount));
    append16(out, static_cast<uint32_t>(entryCount));
    append32(out, static_cast<uint32_t>(centralRecords.size()));
    append32(out, static_cast<uint32_t>(localRecords.size()));
    append16(out, static_cast<uint32_t>(comment.size()));
    out.insert(out.end(), comment.begin(), comment.end());
    return true;
}
