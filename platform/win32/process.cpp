// The process's own file, start folder, environment and language on Windows.
#include "platform/process.h"

#include <stdlib.h>
#include <string.h>

#include "platform/win32/windows_api.h"

void initialiseProcessLocale()
{
}

TextBuffer executableFilePath()
{
    char buffer[pathBufferSize];
    DWORD length = GetModuleFileNameA(nullptr, buffer, pathBufferSize);
    // A full buffer means the name was cut short: no part of a path is better than a wrong one.
    if (length == 0 || length >= static_cast<DWORD>(pathBufferSize))
        return TextBuffer();
    return TextBuffer(buffer, static_cast<int32_t>(length));
}

TextBuffer currentDirectory()
{
    char buffer[pathBufferSize];
    DWORD length = GetCurrentDirectoryA(pathBufferSize, buffer);
    if (length == 0 || length >= static_cast<DWORD>(pathBufferSize))
        return TextBuffer();
    return TextBuffer(buffer, static_cast<int32_t>(length));
}

bool readEnvironment(const char* name, TextBuffer& value)
{
    value.SetLength(0);
    // Only the hidden per-drive variables (=C:) hold '=', and only first; any other '=' would
    // match the start of another variable's entry.
    if (name == nullptr || name[0] == 0 || strchr(name + 1, '=') != nullptr)
        return false;
    // The C library's lookup already ignores case on Windows.
    const char* found = getenv(name);
    if (found == nullptr)
        return false;
    value.Append(found, static_cast<int32_t>(strlen(found)));
    return true;
}
