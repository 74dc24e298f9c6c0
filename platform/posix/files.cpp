// Reading the file system through POSIX calls.
#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <glob.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/handle.h"

namespace {

struct DescriptorTraits {
    using Type = int;
    static Type empty() { return -1; }
    static void close(Type descriptor) { ::close(descriptor); }
};
using Descriptor = ScopedHandle<DescriptorTraits>;

// Opens only regular files: a folder is not a file to read, as on Windows.
Descriptor openRegularFile(const char* path, off_t& size)
{
    Descriptor file(::open(path, O_RDONLY | O_CLOEXEC));
    struct stat status;
    if (!file.valid() || fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return Descriptor();
    size = status.st_size;
    return file;
}

} // namespace

bool directoryEntryExists(const char* path)
{
    if (path == nullptr || path[0] == 0)
        return false;
    if (strpbrk(path, "*?") == nullptr) {
        struct stat status;
        return stat(path, &status) == 0;
    }
    // Only * and ? are wildcards, as in a Windows directory search: brackets and backslashes
    // in a name stand for themselves.
    TextBuffer pattern;
    for (const char* cursor = path; *cursor != 0; ++cursor) {
        if (*cursor == '[' || *cursor == ']' || *cursor == '\\')
            pattern.Append("\\", 1);
        pattern.Append(cursor, 1);
    }
    glob_t matches;
    bool found = glob(pattern.CStr(), GLOB_NOSORT, nullptr, &matches) == 0 && matches.gl_pathc > 0;
    globfree(&matches);
    return found;
}

bool readWholeFile(const char* path, TextBuffer& target)
{
    off_t size = 0;
    Descriptor file = openRegularFile(path, size);
    if (!file.valid())
        return false;
    if (size <= 0 || size > 0x7FFFFFF0 - target.length)
        return true;
    int32_t start = target.length;
    if (!target.SetLength(start + static_cast<int32_t>(size)))
        return true;
    int32_t filled = 0;
    while (filled < size) {
        ssize_t got = read(file.get(), target.chars + start + filled, static_cast<size_t>(size - filled));
        if (got <= 0)
            break;
        filled += static_cast<int32_t>(got);
    }
    // Only the bytes that actually arrived stand in the text.
    target.SetLength(start + filled);
    return true;
}

MappedFile::~MappedFile()
{
    if (data != nullptr)
        munmap(const_cast<unsigned char*>(data), byteCount);
}

bool MappedFile::open(const char* path)
{
    off_t size = 0;
    Descriptor file = openRegularFile(path, size);
    if (!file.valid())
        return false;
    if (size == 0)
        return true;
    void* bytes = mmap(nullptr, static_cast<size_t>(size), PROT_READ, MAP_PRIVATE, file.get(), 0);
    if (bytes == MAP_FAILED)
        return false;
    data = static_cast<const unsigned char*>(bytes);
    byteCount = static_cast<size_t>(size);
    return true;
}

FolderListing::~FolderListing()
{
    if (search != nullptr)
        closedir(static_cast<DIR*>(search));
}

bool FolderListing::open(const char* folder)
{
    folderPath.SetLength(0);
    folderPath.Append(folder, static_cast<int32_t>(strlen(folder)));
    DIR* listing = opendir(folder[0] == 0 ? "." : folder);
    if (listing == nullptr)
        return false;
    search = listing;
    return true;
}

bool FolderListing::next(TextBuffer& name, bool& isFolder)
{
    if (search == nullptr)
        return false;
    struct dirent* entry = readdir(static_cast<DIR*>(search));
    if (entry == nullptr)
        return false;
    name.SetLength(0);
    name.Append(entry->d_name, static_cast<int32_t>(strlen(entry->d_name)));
    // Follow links, as a Java home made of symbolic links still holds its folders.
    TextBuffer full = Concat(folderPath, entry->d_name);
    struct stat status;
    isFolder = stat(full.CStr(), &status) == 0 && S_ISDIR(status.st_mode);
    return true;
}
