// Parses version texts into major and minor numbers and compares them.
#include "vm/version_check.h"

#include <limits.h>

namespace {

bool isSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// One "%d" conversion: spaces, an optional sign, digits. False when no digit follows.
bool readNumber(const char*& cursor, int& number)
{
    const char* at = cursor;
    while (isSpace(*at))
        ++at;
    bool negative = *at == '-';
    if (*at == '-' || *at == '+')
        ++at;
    if (*at < '0' || *at > '9')
        return false;
    long long value = 0;
    while (*at >= '0' && *at <= '9') {
        if (value <= INT_MAX)
            value = value * 10 + (*at - '0');
        ++at;
    }
    if (value > INT_MAX)
        value = INT_MAX;
    number = static_cast<int>(negative ? -value : value);
    cursor = at;
    return true;
}

} // namespace

VersionPair parseVersion(const char* text)
{
    VersionPair version;
    if (text == nullptr)
        return version;
    const char* cursor = text;
    if (!readNumber(cursor, version.major) || *cursor != '.')
        return version;
    ++cursor;
    readNumber(cursor, version.minor);
    return version;
}

bool versionBelow(VersionPair runtime, VersionPair required)
{
    return runtime.major < required.major || (runtime.major == required.major && runtime.minor < required.minor);
}
