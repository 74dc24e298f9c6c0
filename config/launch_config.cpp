// Gathers the settings text from the settings file and the archive comment at start.
#include "config/launch_config.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"

TextBuffer ExeDirectory;
TextBuffer StartDirectory;
LaunchConfig* theLaunchConfig = nullptr;

namespace {

// 22 fixed bytes of the end record plus the longest comment the launcher looks for.
const size_t endRecordSize = 22;
const size_t searchWindow = endRecordSize + 2048;

const char* const settingsSuffixes[] = {".cfg", ".config"};

} // namespace

LaunchConfig::LaunchConfig()
{
    // A current folder too long for the path limit leaves StartDirectory empty rather than
    // cut short, so relative lookups fall back to the process's own current folder.
    StartDirectory.SetLength(0);
    StartDirectory.Append(currentDirectory());
    if (StartDirectory.length > 0 && StartDirectory.chars[StartDirectory.length - 1] != folderSeparator)
        StartDirectory.Append(&folderSeparator, 1);

    exePath.Append(executableFilePath());
    int32_t end = exePath.length - 1;
    while (end >= 0 && exePath.chars[end] != folderSeparator)
        --end;
    ExeDirectory.SetLength(0);
    ExeDirectory.Append(exePath.chars, end + 1);

    // The first settings file that exists and opens wins; a name that does not fit the path
    // limit is skipped rather than shortened.
    TextBuffer name;
    for (const char* suffix : settingsSuffixes) {
        if (settingsFileName(exePath, suffix, name) && pathExists(name.CStr()) && readWholeFile(name.CStr(), *this))
            break;
    }
    if (length > 0)
        Append("\r\n", 2);
    embeddedStart = length;
    Append(readEmbeddedSettings());
}

LaunchConfig::~LaunchConfig() = default;

TextBuffer readEmbeddedSettings()
{
    TextBuffer path = executableFilePath();
    return readEmbeddedSettingsFrom(path.CStr());
}

TextBuffer readEmbeddedSettingsFrom(const char* path)
{
    MappedFile file;
    if (path == nullptr || path[0] == 0 || !file.open(path))
        return TextBuffer();
    return findEmbeddedSettings(file.bytes(), file.size());
}

TextBuffer findEmbeddedSettings(const unsigned char* bytes, size_t size)
{
    if (bytes == nullptr || size < endRecordSize)
        return TextBuffer();
    size_t windowStart = size > searchWindow ? size - searchWindow : 0;
    // The record nearest the end wins, so a signature inside the comment cuts it short.
    for (size_t position = size - endRecordSize + 1; position-- > windowStart;) {
        if (bytes[position] == 'P' && bytes[position + 1] == 'K' && bytes[position + 2] == 5 && bytes[position + 3] == 6) {
            size_t start = position + endRecordSize;
            return TextBuffer(reinterpret_cast<const char*>(bytes) + start, static_cast<int32_t>(size - start));
        }
    }
    return TextBuffer();
}

bool pathExists(const char* path)
{
    return directoryEntryExists(path);
}
