// Whole-file reads and the output file that appears at its name only once it is complete.
#include "tools/pack/file_io.h"

#include <errno.h>
#include <string.h>

#include <memory>
#include <random>
#include <system_error>

namespace {

struct StreamCloser {
    void operator()(FILE* stream) const { fclose(stream); }
};
using Stream = std::unique_ptr<FILE, StreamCloser>;

} // namespace

bool readFileBytes(const std::string& path, std::vector<uint8_t>& bytes, std::string& reason)
{
    bytes.clear();
    std::error_code error;
    std::filesystem::file_status status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
        reason = "no such file";
        return false;
    }
    if (!std::filesystem::is_regular_file(status)) {
        reason = "not a regular file";
        return false;
    }
    Stream stream(fopen(path.c_str(), "rb"));
    if (!stream) {
        reason = strerror(errno);
        return false;
    }
    uint8_t chunk[65536];
    size_t count;
    while ((count = fread(chunk, 1, sizeof chunk, stream.get())) > 0)
        bytes.insert(bytes.end(), chunk, chunk + count);
    if (ferror(stream.get())) {
        reason = "read error";
        return false;
    }
    return true;
}

bool sameFile(const std::string& first, const std::string& second)
{
    std::error_code error;
    return std::filesystem::equivalent(first, second, error) && !error;
}

OutputFile::~OutputFile() { discard(); }

void OutputFile::discard()
{
    if (stream != nullptr)
        fclose(stream);
    stream = nullptr;
    if (!temporary.empty()) {
        std::error_code error;
        std::filesystem::remove(temporary, error);
    }
    temporary.clear();
}

bool OutputFile::create(const std::string& name, std::string& reason)
{
    discard();
    target = name;
    std::error_code error;
    if (std::filesystem::is_directory(target, error)) {
        reason = "it is a folder";
        return false;
    }
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::filesystem::path candidate = target;
        candidate += ".wyr-pack-" + std::to_string(random() % 1000000000u);
        if (std::filesystem::exists(candidate, error))
            continue;
        stream = fopen(candidate.string().c_str(), "wb");
        if (stream == nullptr) {
            reason = strerror(errno);
            return false;
        }
        temporary = candidate;
        return true;
    }
    reason = "no free temporary name beside it";
    return false;
}

bool OutputFile::write(const std::vector<uint8_t>& bytes, std::string& reason)
{
    if (stream == nullptr || fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size()) {
        reason = strerror(errno);
        return false;
    }
    return true;
}

bool OutputFile::commit(std::filesystem::perms permissions, std::string& reason)
{
    if (stream == nullptr) {
        reason = "not open";
        return false;
    }
    int closed = fclose(stream);
    stream = nullptr;
    if (closed != 0) {
        reason = strerror(errno);
        return false;
    }
    std::error_code error;
    std::filesystem::permissions(temporary, permissions, error);
    if (error) {
        reason = error.message();
        return false;
    }
    std::filesystem::rename(temporary, target, error);
    if (error) {
        reason = error.message();
        return false;
    }
    temporary.clear();
    return true;
}
