// Whole-file reads and the output file that appears at its name only once it is complete.
#pragma once

#include <stdint.h>
#include <stdio.h>

#include <filesystem>
#include <string>
#include <vector>

// False, with the reason, when 'path' is not a regular file that can be read in full.
bool readFileBytes(const std::string& path, std::vector<uint8_t>& bytes, std::string& reason);

// True when both names lead to one existing file.
bool sameFile(const std::string& first, const std::string& second);

// Written beside its target under a temporary name and renamed over it by commit(); removed
// by the destructor when it was not committed.
class OutputFile {
public:
    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    bool create(const std::string& target, std::string& reason);
    bool write(const std::vector<uint8_t>& bytes, std::string& reason);
    // Closes the file, gives it 'permissions' and moves it to the target's name.
    bool commit(std::filesystem::perms permissions, std::string& reason);

private:
    void discard();

    FILE* stream = nullptr;
    std::filesystem::path temporary;
    std::filesystem::path target;
};
