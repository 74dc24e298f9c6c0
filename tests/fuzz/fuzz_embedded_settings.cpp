// Fuzzes the archive comment search over arbitrary file bytes.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "config/launch_config.h"

namespace {

void check(bool condition)
{
    if (!condition)
        abort();
}

bool signatureAt(const uint8_t* data, size_t position)
{
    return memcmp(data + position, "PK\x05\x06", 4) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TextBuffer embedded = findEmbeddedSettings(data, size);
    size_t length = static_cast<size_t>(embedded.length);
    check(length <= 2048 && length + 22 <= size + (size < 22 ? 22 : 0));
    check(embedded.chars[length] == 0);
    if (size < 22)
        return check(length == 0), 0;
    // The result is the tail behind the signature nearest the end that leaves room for a record.
    size_t lowest = size > 2070 ? size - 2070 : 0;
    size_t found = size;
    for (size_t position = lowest; position + 22 <= size; ++position)
        if (signatureAt(data, position))
            found = position;
    if (found == size) {
        check(length == 0);
    } else {
        check(length == size - found - 22);
        check(memcmp(embedded.chars, data + found + 22, length) == 0);
    }
    return 0;
}
