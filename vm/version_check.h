// Reading a version text as two numbers and comparing it with the configured minimum.
#pragma once

struct VersionPair {
    int major = 0;
    int minor = 0;
};

// The first two numbers of a text such as "1.8.0_381", "17.0.15" or "1.5", read the way
// "%d.%d" reads them; a number that is not there counts as 0 ("11", "9+181", "21-ea", "").
// Numbers too large for an int stay at the largest int.
VersionPair parseVersion(const char* text);

// True when 'runtime' is below 'required', major number first.
bool versionBelow(VersionPair runtime, VersionPair required);
