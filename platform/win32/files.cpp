// Reading the file system through the Win32 A functions.
#include "platform/files.h"

#include <string.h>

#include "platform/win32/windows_api.h"

namespace {

FileHandle openForReading(const char* path)
{
    return FileHandle(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

} // namespace

bool directoryEntryExists(const char* path)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(path, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

bool readWholeFile(const char* path, TextBuffer& target)
{
    FileHandle file = openForReading(path);
    if (!file.valid())
        return false;
    DWORD size = GetFileSize(file.get(), nullptr);
    if (size == INVALID_FILE_SIZE || size > 0x7FFFFFF0u - static_cast<DWORD>(target.length))
        return true;
    int32_t start = target.length;
    if (!target.SetLength(start + static_cast<int32_t>(size)))
        return true;
    DWORD read = 0;
    if (!ReadFile(file.get(), target.chars + start, size, &read, nullptr))
        read = 0;
    // Only the bytes that actually arrived stand in the text.
    target.SetLength(start + static_cast<int32_t>(read));
    return true;
}

MappedFile::~MappedFile()
{
    if (data != nullptr)
        UnmapViewOfFile(data);
    if (mapping != nullptr)
        CloseHandle(mapping);
}

bool MappedFile::open(const char* path)
{
    FileHandle file = openForReading(path);
    if (!file.valid())
        return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0)
        return false;
    if (size.QuadPart == 0)
        return true;
    MappingHandle view(CreateFileMappingA(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!view.valid())
        return false;
    void* bytes = MapViewOfFile(view.get(), FILE_MAP_READ, 0, 0, static_cast<SIZE_T>(size.QuadPart));
    if (bytes == nullptr)
        return false;
    data = static_cast<const unsigned char*>(bytes);
    byteCount = static_cast<size_t>(size.QuadPart);
    mapping = view.take();
    return true;
}

FolderListing::~FolderListing()
{
    if (search != nullptr)
        FindClose(static_cast<HANDLE>(search));
}

namespace {
WIN32_FIND_DATAA& entryOf(ByteArray& storage)
{
    return *reinterpret_cast<WIN32_FIND_DATAA*>(storage.chars);
}
} // namespace

bool FolderListing::open(const char* folder)
{
    folderPath.SetLength(0);
    folderPath.Append(folder, static_cast<int32_t>(strlen(folder)));
    folderPath.Append("*.*", 3);
    if (!entryStorage.SetLength(static_cast<int32_t>(sizeof(WIN32_FIND_DATAA))))
        return false;
    HANDLE found = FindFirstFileA(folderPath.CStr(), &entryOf(entryStorage));
    if (found == INVALID_HANDLE_VALUE)
        return false;
    search = found;
    pending = true;
    return true;
}

bool FolderListing::next(TextBuffer& name, bool& isFolder)
{
    if (search == nullptr)
        return false;
    if (!pending && !FindNextFileA(static_cast<HANDLE>(search), &entryOf(entryStorage)))
        return false;
    pending = false;
    WIN32_FIND_DATAA& entry = entryOf(entryStorage);
    name.SetLength(0);
    name.Append(entry.cFileName, static_cast<int32_t>(strlen(entry.cFileName)));
    isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return true;
}
