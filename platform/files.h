// Reading the file system: existence, whole files, read-only mappings, folder listings.
#pragma once

#include <stddef.h>

#include "text/text_buffer.h"

// True when a directory search finds an entry of that name, file or folder; wildcard
// characters act as a pattern.
bool directoryEntryExists(const char* path);

// Appends to 'target' the bytes of the regular file at 'path', as far as they could be read.
// False when the file cannot be opened (missing, a folder, no access).
bool readWholeFile(const char* path, TextBuffer& target);

// A read-only view of a whole file, released by the destructor.
class MappedFile {
public:
    MappedFile() = default;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();

    // False when the file cannot be opened or mapped; an empty file maps to no bytes.
    bool open(const char* path);

    const unsigned char* bytes() const { return data; }
    size_t size() const { return byteCount; }

private:
    const unsigned char* data = nullptr;
    size_t byteCount = 0;
    void* mapping = nullptr;
};

// One pass over the entries of a folder, in the order the platform returns them.
class FolderListing {
public:
    FolderListing() = default;
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;
    ~FolderListing();

    // 'folder' ends in a separator. False when the folder cannot be listed.
    bool open(const char* folder);
    // The next entry's name and whether it is a folder; false at the end.
    bool next(TextBuffer& name, bool& isFolder);

private:
    void* search = nullptr;
    bool pending = false;
    TextBuffer folderPath;
    // The platform's record of the current entry, where it has one.
    ByteArray entryStorage;
};
