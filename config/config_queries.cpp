// Reads the settings text line by line and answers key queries over it.
#include "config/launch_config.h"

namespace {

const char* skipSpaces(const char* text)
{
    // Only the space character: a tab is part of the value.
    while (*text == ' ')
        ++text;
    return text;
}

} // namespace

bool LineReader::nextLine(TextBuffer& line)
{
    if (cursor == nullptr || *cursor == 0)
        return false;
    const char* start = cursor;
    while (*cursor != 0 && *cursor != '\r' && *cursor != '\n')
        ++cursor;
    line.SetLength(0);
    line.Append(start, static_cast<int32_t>(cursor - start));
    if ((cursor[0] == '\r' && cursor[1] == '\n') || (cursor[0] == '\n' && cursor[1] == '\r'))
        cursor += 2;
    else if (*cursor != 0)
        ++cursor;
    return true;
}

TextBuffer LaunchConfig::queryKey(const TextBuffer& key, KeyValueCallback callback, void* context, bool embeddedOnly) const
{
    const char* start = chars;
    if (start != nullptr && embeddedOnly && embeddedStart > 0 && embeddedStart <= length)
        start += embeddedStart;
    LineReader reader(start);
    TextBuffer line;
    while (reader.nextLine(line)) {
        const char* text = skipSpaces(line.CStr());
        if (!startsWithIgnoringCase(text, key.chars, key.length))
            continue;
        const char* value = skipSpaces(text + key.length);
        if (callback == nullptr)
            return TextBuffer(value);
        callback(context, value);
    }
    return TextBuffer();
}

TextBuffer LaunchConfig::getValue(const TextBuffer& key, bool embeddedOnly) const
{
    return queryKey(key, nullptr, nullptr, embeddedOnly);
}
