// Fuzzes the packager's readers of untrusted files: the ZIP listing (with a rewrite and re-read
// of what it accepts) and the launcher image's service block lookup.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "tools/pack/stub_strings.h"
#include "tools/pack/zip_archive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZipListing listing;
    std::string detail;
    if (readZipListing(data, size, listing, detail) == ZipProblem::none) {
        // Whatever the reader accepts, the writer must turn into an archive that reads back
        // with the same entries in the same order.
        ZipWriter writer;
        for (const ZipEntry& entry : listing.entries)
            writer.addCopied(data, entry);
        writer.addStored("added/entry.class", data, size < 64 ? size : 64);
        std::vector<uint8_t> archive;
        std::string reason;
        if (writer.finish("mainclass Fuzz\r\n", archive, reason)) {
            ZipListing again;
            if (readZipListing(archive.data(), archive.size(), again, detail) != ZipProblem::none ||
                again.entries.size() != listing.entries.size() + 1)
                abort();
            for (size_t index = 0; index < listing.entries.size(); ++index) {
                if (again.entries[index].name != listing.entries[index].name)
                    abort();
            }
        }
    }
    LauncherImage image;
    std::string reason;
    if (findServiceBlocks(data, size, image, reason)) {
        for (const ServiceBlock& block : image.serviceBlocks) {
            std::vector<std::u16string> texts;
            if (block.offset + 2 * serviceBlockUnits > size)
                abort();
            readStringBlock(data + block.offset, serviceBlockUnits, texts);
        }
    }
    return 0;
}
