// Fuzzes the line reader and key queries over arbitrary settings texts and keys.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "config/launch_config.h"

namespace {

void collect(void* context, const char* value)
{
    static_cast<std::vector<std::string>*>(context)->push_back(value);
}

void check(bool condition)
{
    if (!condition)
        abort();
}

} // namespace

// Input: one byte of key length (mod 16), the key, one byte saying where the embedded part
// starts (as a share of the rest), then the settings text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static LaunchConfig* config = new LaunchConfig();
    if (size < 2)
        return 0;
    size_t keyLength = data[0] % 16;
    if (size < 2 + keyLength)
        return 0;
    TextBuffer key(reinterpret_cast<const char*>(data + 1), static_cast<int32_t>(keyLength));
    const char* text = reinterpret_cast<const char*>(data + 2 + keyLength);
    size_t textLength = size - 2 - keyLength;
    config->SetLength(0);
    config->Append(text, static_cast<int32_t>(textLength));
    config->embeddedStart = static_cast<int32_t>(textLength * data[1 + keyLength] / 255);

    // Lines hold no line-end characters, and together with the line ends they cover the text up
    // to its first NUL.
    size_t end = strnlen(text, textLength);
    size_t ends = 0;
    for (size_t index = 0; index < end; ++index)
        ends += text[index] == '\r' || text[index] == '\n';
    LineReader reader(config->chars);
    TextBuffer line;
    size_t lines = 0;
    size_t characters = 0;
    while (reader.nextLine(line)) {
        check(memchr(line.chars, '\r', static_cast<size_t>(line.length)) == nullptr);
        check(memchr(line.chars, '\n', static_cast<size_t>(line.length)) == nullptr);
        check(memchr(line.chars, 0, static_cast<size_t>(line.length)) == nullptr);
        characters += static_cast<size_t>(line.length);
        ++lines;
    }
    check(characters == end - ends);
    check(lines <= ends + 1);

    // The first value is the first one a callback sees; values never begin with a space; no
    // more values than lines from where the query starts.
    for (bool embeddedOnly : {false, true}) {
        LineReader counter(config->chars + (embeddedOnly ? config->embeddedStart : 0));
        size_t linesSearched = 0;
        while (counter.nextLine(line))
            ++linesSearched;
        std::vector<std::string> values;
        TextBuffer none = config->queryKey(key, collect, &values, embeddedOnly);
        check(none.length == 0);
        TextBuffer first = config->getValue(key, embeddedOnly);
        check(values.empty() ? first.length == 0 : values[0] == std::string(first.chars, first.length));
        for (const std::string& value : values) {
            check(value.empty() || value[0] != ' ');
            check(value.find_first_of("\r\n") == std::string::npos);
        }
        check(values.size() <= linesSearched);
    }
    return 0;
}
