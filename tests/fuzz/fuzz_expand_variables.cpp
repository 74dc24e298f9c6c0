// Fuzzes %NAME% expansion over arbitrary texts and environments, against a plain model.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <map>
#include <string>
#include <vector>

#include "config/launch_config.h"

namespace {

void check(bool condition)
{
    if (!condition)
        abort();
}

std::string folded(std::string name)
{
    for (char& c : name)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return name;
}

// The same scan, written over std::string with a map standing in for the environment.
std::string model(const std::string& text, const std::map<std::string, std::string>& variables)
{
    std::string result;
    size_t scan = 0, copied = 0;
    for (;;) {
        size_t opening = text.find('%', scan);
        if (opening == std::string::npos)
            break;
        size_t closing = text.find('%', opening + 1);
        if (closing == std::string::npos)
            break;
        auto found = variables.find(folded(text.substr(opening + 1, closing - opening - 1)));
        if (found != variables.end()) {
            result += text.substr(copied, opening - copied) + found->second;
            scan = copied = closing + 1;
        } else {
            scan = closing;
        }
    }
    return result + text.substr(copied);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Only the variables an input defines exist, so the model knows the whole environment.
    clearenv();
    return 0;
}

// Input: up to four lines "name=value" (names folded to upper case), then a NUL, then the text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* bytes = reinterpret_cast<const char*>(data);
    const char* split = static_cast<const char*>(memchr(bytes, 0, size));
    std::string definitions = split == nullptr ? std::string() : std::string(bytes, split);
    std::string text = split == nullptr ? std::string(bytes, size) : std::string(split + 1, bytes + size);

    std::map<std::string, std::string> variables;
    size_t start = 0;
    for (int count = 0; count < 4 && start < definitions.size(); ++count) {
        size_t end = definitions.find('\n', start);
        std::string line = definitions.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? definitions.size() : end + 1;
        size_t equals = line.find('=');
        if (equals == 0 || equals == std::string::npos)
            continue;
        std::string name = folded(line.substr(0, equals));
        variables[name] = line.substr(equals + 1);
    }
    for (const auto& variable : variables)
        setenv(variable.first.c_str(), variable.second.c_str(), 1);

    TextBuffer source(text.data(), static_cast<int32_t>(text.size()));
    TextBuffer expanded = expandVariables(source);
    check(std::string(expanded.chars, static_cast<size_t>(expanded.length)) == model(text, variables));
    check(std::string(source.chars, static_cast<size_t>(source.length)) == text);
    if (variables.empty())
        check(expanded.length == source.length);

    for (const auto& variable : variables)
        unsetenv(variable.first.c_str());
    return 0;
}
