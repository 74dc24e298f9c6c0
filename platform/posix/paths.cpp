// How POSIX spells paths and names the launcher's files.
#include "platform/paths.h"

#include <string.h>

#include "platform/process.h"

const char folderSeparator = '/';
const char classPathSeparator = ':';
const char* const runtimeLibraryName = "libjvm.so";
const char* const javaHomeFolders[] = {"", "lib/", "jre/lib/", "jre/lib/amd64/", "../lib/", nullptr};

bool isFolderSeparator(char c)
{
    return c == '/';
}

bool isAbsolutePath(const char* path)
{
    return path[0] == '/';
}

bool settingsFileName(const TextBuffer& exePath, const char* suffix, TextBuffer& name)
{
    // Linux executables carry no extension to replace, so the suffix is appended.
    name.SetLength(0);
    name.Append(exePath);
    name.Append(suffix, static_cast<int32_t>(strlen(suffix)));
    return exePath.length > 0 && name.length < pathBufferSize;
}
