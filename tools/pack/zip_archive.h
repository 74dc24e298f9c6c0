// Reads the entry list of a ZIP archive held in memory and writes the merged archive.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

// Where one entry's records lie in the bytes it was read from.
struct ZipEntry {
    std::string name;
    size_t centralOffset = 0;
    size_t centralSize = 0;
    // Local header, name, extra field, data and data descriptor, copied as one run.
    size_t localOffset = 0;
    size_t localSize = 0;
};

struct ZipListing {
    std::vector<ZipEntry> entries;
    // Position of the byte that the archive's offsets call 0; past 0 when the archive follows
    // other bytes, such as a launcher image.
    size_t archiveStart = 0;
    size_t commentOffset = 0;
    size_t commentSize = 0;
};

enum class ZipProblem { none, notZip, truncated, inconsistent, unsupported };

// Reads the central directory and checks every entry's local record against it. On a problem,
// 'detail' says what did not fit.
ZipProblem readZipListing(const uint8_t* bytes, size_t size, ZipListing& listing, std::string& detail);

uint32_t zipCrc32(const uint8_t* bytes, size_t size);

// Builds an archive whose offsets count from its own first byte.
class ZipWriter {
public:
    // Copies an entry's records as they are; only the central record's local offset changes.
    void addCopied(const uint8_t* source, const ZipEntry& entry);
    // Adds an uncompressed entry.
    void addStored(const std::string& name, const uint8_t* data, size_t size);
    size_t count() const { return entryCount; }
    // Appends local records, central directory and end record with 'comment' to 'out'. False,
    // with the reason, when the archive passes what a ZIP without ZIP64 records can describe.
    bool finish(const std::string& comment, std::vector<uint8_t>& out, std::string& reason) const;

private:
    std::vector<uint8_t> localRecords;
    std::vector<uint8_t> centralRecords;
    size_t entryCount = 0;
    bool offsetOverflow = false;
};
