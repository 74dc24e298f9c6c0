// Looks string table blocks up in the table compiled into the Linux executable.
#include "platform/string_table.h"

#include <string.h>

#include "platform/posix/string_table_data.h"

namespace {

uint32_t readNumber(const unsigned char* bytes, int size)
{
    uint32_t value = 0;
    for (int index = size - 1; index >= 0; --index)
        value = (value << 8) | bytes[index];
    return value;
}

} // namespace

bool findStringBlock(uint16_t blockNumber, WideTextView& block)
{
    const unsigned char* table = theStringTableData;
    if (memcmp(table, "WYRSTRT1", 8) != 0)
        return false;
    uint32_t count = readNumber(table + 8, 4);
    uint32_t wanted = userLanguageIsChinese() ? 2052 : 1033;
    const unsigned char* chosen = nullptr;
    for (uint32_t index = 0; index < count; ++index) {
        const unsigned char* record = table + 12 + 12 * index;
        if (readNumber(record, 2) != blockNumber)
            continue;
        // Any language of the block will do when the user's own is missing.
        if (chosen == nullptr || readNumber(record + 2, 2) == wanted)
            chosen = record;
    }
    if (chosen == nullptr)
        return false;
    block.chars = reinterpret_cast<uint16_t*>(const_cast<unsigned char*>(table + readNumber(chosen + 4, 4)));
    block.length = static_cast<int32_t>(readNumber(chosen + 8, 4) / 2);
    return true;
}
