// Finds the service texts' string block in a wyr launcher file (PE or ELF) and rewrites it.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

// Units of the service block as the launcher reserves it: 16 lengths and the room of the
// service name (255), display name (256), description (1024) and dependencies (512).
const size_t serviceBlockUnits = 16 + 255 + 256 + 1024 + 512;
const size_t serviceTextCount = 4;
extern const size_t serviceTextRoom[serviceTextCount];
extern const char* const serviceTextLabels[serviceTextCount];

struct ServiceBlock {
    uint16_t language = 0;
    size_t offset = 0;
};

struct LauncherImage {
    bool portableExecutable = false;
    // Every language's copy of the block, in file order.
    std::vector<ServiceBlock> serviceBlocks;
};

// False, with the reason, when 'bytes' is not a wyr launcher: a PE with wyr's version record
// or an ELF with wyr's string table, each holding the service block at its reserved size.
bool findServiceBlocks(const uint8_t* bytes, size_t size, LauncherImage& image, std::string& reason);

// The 16 texts of a block, each as UTF-16 units. False when the lengths run past the block.
bool readStringBlock(const uint8_t* block, size_t unitCount, std::vector<std::u16string>& texts);

// Writes the 16 texts into the block, the rest of the block zero. False when they need more
// than 'unitCount' units.
bool writeStringBlock(uint8_t* block, size_t unitCount, const std::vector<std::u16string>& texts);
