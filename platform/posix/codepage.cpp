// Code-page conversion on POSIX: the locale's multibyte charset stands in for the ANSI code page.
#include "platform/codepage.h"

#include <errno.h>
#include <iconv.h>
#include <langinfo.h>
#include <stdlib.h>
#include <string.h>

#include "platform/handle.h"

namespace {

struct ConverterTraits {
    using Type = iconv_t;
    static Type empty() { return reinterpret_cast<iconv_t>(-1); }
    static void close(Type converter) { iconv_close(converter); }
};
using Converter = ScopedHandle<ConverterTraits>;

// The charset the environment's locale names; set up by initialiseProcessLocale.
const char* localeCharset()
{
    const char* charset = nl_langinfo(CODESET);
    return charset != nullptr && charset[0] != 0 ? charset : "ANSI_X3.4-1968";
}

// Converts 'inputSize' bytes; with no output, counts what the conversion would write.
// Unconvertible input becomes 'fallback' ('?' in the narrow charset, U+003F in UTF-16).
size_t convertBytes(const char* from, const char* to, const char* input, size_t inputSize, char* output,
                    size_t outputSize, const char* fallback, size_t fallbackSize, size_t inputStep)
{
    Converter converter(iconv_open(to, from));
    if (!converter.valid())
        return 0;
    char scratch[256];
    size_t written = 0;
    char* in = const_cast<char*>(input);
    size_t inLeft = inputSize;
    while (inLeft > 0) {
        char* out = output != nullptr ? output + written : scratch;
        size_t outLeft = output != nullptr ? outputSize - written : sizeof scratch;
        size_t result = iconv(converter.get(), &in, &inLeft, &out, &outLeft);
        size_t produced = static_cast<size_t>(out - (output != nullptr ? output + written : scratch));
        written += produced;
        if (result != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG) {
            if (output != nullptr)
                return written;
            continue;
        }
        // An invalid or incomplete sequence: put the fallback in its place and go on.
        if (output != nullptr && outputSize - written < fallbackSize)
            return written;
        if (output != nullptr)
            memcpy(output + written, fallback, fallbackSize);
        written += fallbackSize;
        size_t skipped = inLeft < inputStep ? inLeft : inputStep;
        in += skipped;
        inLeft -= skipped;
    }
    return written;
}

} // namespace

int32_t convertWideToAnsi(const uint16_t* units, int32_t count, char* output, int32_t outputSize)
{
    if (count == 0 || units == nullptr)
        return 0;
    size_t unitCount = static_cast<size_t>(count);
    if (count < 0) {
        unitCount = 0;
        while (units[unitCount] != 0)
            ++unitCount;
        ++unitCount;
    }
    size_t written = convertBytes("UTF-16LE", localeCharset(), reinterpret_cast<const char*>(units), unitCount * 2,
                                  output, output != nullptr ? static_cast<size_t>(outputSize) : 0, "?", 1, 2);
    return static_cast<int32_t>(written);
}

int32_t convertAnsiToWide(const char* chars, int32_t count, uint16_t* output, int32_t outputSize)
{
    if (count == 0 || chars == nullptr)
        return 0;
    size_t byteCount = count < 0 ? strlen(chars) + 1 : static_cast<size_t>(count);
    static const char questionMark[2] = {'?', 0};
    size_t written = convertBytes(localeCharset(), "UTF-16LE", chars, byteCount, reinterpret_cast<char*>(output),
                                  output != nullptr ? static_cast<size_t>(outputSize) * 2 : 0, questionMark, 2, 1);
    return static_cast<int32_t>(written / 2);
}
