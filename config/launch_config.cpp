// Gathers the settings text from the settings file and the archive comment at start.
#include "config/launch_config.h"

#include "platform/paths.h"
#include "platform/process.h"

TextBuffer ExeDirectory;
TextBuffer StartDirectory;
LaunchConfig* theLaunchConfig = nullptr;

LaunchConfig::LaunchConfig()
{
    StartDirectory.SetLength(0);
    StartDirectory.Append(currentDirectory());
    if (StartDirectory.length > 0 && !isFolderSeparator(StartDirectory.chars[StartDirectory.length - 1]))
        StartDirectory.Append(&folderSeparator, 1);
    exePath.Append(executableFilePath());
    int32_t end = exePath.length - 1;
    while (end >= 0 && exePath.chars[end] != folderSeparator)
        --end;
    ExeDirectory.SetLength(0);
    ExeDirectory.Append(exePath.chars, end + 1);
}

LaunchConfig::~LaunchConfig() = default;
