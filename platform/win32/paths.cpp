// How Windows spells paths and names the launcher's files.
#include "platform/paths.h"

#include <string.h>

#include "platform/process.h"

const char folderSeparator = '\\';
const char classPathSeparator = ';';
const char* const runtimeLibraryName = "jvm.dll";
const char* const javaHomeFolders[] = {"", "bin\\", "jre\\bin\\", "..\\jre\\bin\\", nullptr};

bool isFolderSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool isAbsolutePath(const char* path)
{
    return path[0] == '\\' || path[0] == '/' || (path[0] != 0 && path[1] == ':');
}

bool settingsFileName(const TextBuffer& exePath, const char* suffix, TextBuffer& name)
{
    // The suffix replaces the last four characters, whatever they are; a path too short to
    // lose four has no settings file.
    name.SetLength(0);
    if (exePath.length < 4)
        return false;
    name.Append(exePath.chars, exePath.length - 4);
    name.Append(suffix, static_cast<int32_t>(strlen(suffix)));
    return name.length < pathBufferSize;
}
