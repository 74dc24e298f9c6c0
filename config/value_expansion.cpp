// Expands %NAME% references and resolves relative paths in setting values.
#include "config/launch_config.h"

#include <string.h>

#include "platform/paths.h"
#include "platform/process.h"

namespace {

// A name holding a NUL cannot be looked up as a whole, so it is never defined.
bool lookUp(const char* name, int32_t nameLength, TextBuffer& value)
{
    if (nameLength <= 0 || memchr(name, 0, static_cast<size_t>(nameLength)) != nullptr)
        return false;
    TextBuffer wanted(name, nameLength);
    return readEnvironment(wanted.CStr(), value);
}

int32_t findPercent(const TextBuffer& text, int32_t from)
{
    for (int32_t index = from; index < text.length; ++index)
        if (text.chars[index] == '%')
            return index;
    return -1;
}

} // namespace

TextBuffer expandVariables(const TextBuffer& text)
{
    TextBuffer result;
    TextBuffer value;
    int32_t scan = 0;
    int32_t copied = 0;
    for (;;) {
        int32_t opening = findPercent(text, scan);
        if (opening < 0)
            break;
        int32_t closing = findPercent(text, opening + 1);
        if (closing < 0)
            break;
        if (lookUp(text.chars + opening + 1, closing - opening - 1, value)) {
            result.Append(text.chars + copied, opening - copied);
            result.Append(value);
            scan = copied = closing + 1;
        } else {
            // The closing sign may open the next reference, as in %NOPE%x%A%.
            scan = closing;
        }
    }
    result.Append(text.chars + copied, text.length - copied);
    return result;
}

TextBuffer resolvePath(const TextBuffer& path)
{
    TextBuffer written(path);
    if (isAbsolutePath(written.CStr()))
        return written;
    TextBuffer besideExecutable = Concat(ExeDirectory, written.CStr());
    if (pathExists(besideExecutable.CStr()))
        return besideExecutable;
    TextBuffer besideStart = Concat(StartDirectory, written.CStr());
    if (pathExists(besideStart.CStr()))
        return besideStart;
    return besideExecutable;
}

void collectTextList(void* context, const char* value)
{
    TextBuffer expanded = expandVariables(TextBuffer(value));
    static_cast<TextList*>(context)->Add(expanded.CStr());
}
