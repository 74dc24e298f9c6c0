// Looks message texts up in the executable's string table and formats them.
#include "launcher/messages.h"

#include <stdarg.h>
#include <stdio.h>

#include "platform/string_table.h"

bool assignMessageText(TextBuffer& target, uint16_t id)
{
    target.SetLength(0);
    WideTextView block;
    if (!findStringBlock(static_cast<uint16_t>(id / 16 + 1), block))
        return false;
    int32_t position = 0;
    for (int entry = 0; entry < id % 16; ++entry)
        position = position + block.CharAt(position, 0) + 1;
    int32_t count = block.CharAt(position, 0);
    // A table whose lengths run past its end yields nothing rather than foreign memory.
    if (count == 0 || position + 1 + count > block.length)
        return true;
    target.AssignFromWide(block.chars + position + 1, count);
    return true;
}

TextBuffer loadMessageText(uint16_t id)
{
    TextBuffer text;
    assignMessageText(text, id);
    return text;
}

void formatText(TextBuffer& target, const char* format, ...)
{
    if (target.capacity < 1024) {
        int32_t kept = target.length;
        target.SetLength(1024 - 1);
        target.SetLength(kept);
    }
    for (;;) {
        va_list arguments;
        va_start(arguments, format);
        int needed = vsnprintf(target.chars, static_cast<size_t>(target.capacity), format, arguments);
        va_end(arguments);
        if (needed < 0) {
            // Some C libraries only say that the result did not fit, not how long it is.
            if (target.capacity >= (1 << 20) || !target.SetLength(target.capacity * 2)) {
                target.SetLength(0);
                return;
            }
            continue;
        }
        if (needed < target.capacity) {
            target.SetLength(needed);
            return;
        }
        if (!target.SetLength(needed)) {
            target.SetLength(0);
            return;
        }
    }
}

TextBuffer serviceName() { return loadMessageText(256); }
TextBuffer serviceDisplayName() { return loadMessageText(257); }
TextBuffer serviceDescription() { return loadMessageText(258); }
TextBuffer serviceDependencies() { return loadMessageText(259); }
