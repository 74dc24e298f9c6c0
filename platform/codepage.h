// Conversions between the system's 8-bit ANSI code page and UTF-16.
#pragma once

#include <stdint.h>

// Both behave as the Win32 conversions with CP_ACP: with no output they return the count the
// conversion needs; a count of -1 converts up to and including the terminating zero. They
// return 0 when nothing could be converted. Characters the code page lacks become its
// default character.
int32_t convertWideToAnsi(const uint16_t* units, int32_t count, char* output, int32_t outputSize);
int32_t convertAnsiToWide(const char* chars, int32_t count, uint16_t* output, int32_t outputSize);
