// Version texts read as two numbers, and the minimum-version comparison.
#include <gtest/gtest.h>

#include <limits.h>

#include "vm/version_check.h"

TEST(VersionParse, FirstTwoNumbersWithMissingOnesAsZero)
{
    struct Case { const char* text; int major; int minor; };
    const Case cases[] = {
        {"1.8.0_381", 1, 8},  {"17.0.15", 17, 0},    {"1.4.2_03-b02", 1, 4}, {"25.71-b01", 25, 71},
        {"11", 11, 0},        {"9+181", 9, 0},       {"21-ea", 21, 0},       {"25", 25, 0},
        {"1.5", 1, 5},        {"", 0, 0},            {"abc", 0, 0},          {" 1. 7", 1, 7},
        {"1.x", 1, 0},        {"+3.-2", 3, -2},      {".5", 0, 0},           {"99999999999.4", INT_MAX, 4},
    };
    for (const Case& c : cases) {
        VersionPair version = parseVersion(c.text);
        EXPECT_EQ(version.major, c.major) << c.text;
        EXPECT_EQ(version.minor, c.minor) << c.text;
    }
    VersionPair none = parseVersion(nullptr);
    EXPECT_EQ(none.major, 0);
    EXPECT_EQ(none.minor, 0);
}

TEST(VersionParse, BelowComparesMajorThenMinor)
{
    struct Case { const char* runtime; const char* required; bool below; };
    const Case cases[] = {
        {"1.4.2_03-b02", "1.4", false}, {"1.4.2_03-b02", "1.5", true}, {"1.8.0_381", "11", true},
        {"17.0.15", "11", false},       {"17.0.15", "17", false},      {"17.0.15", "17.1", true},
        {"21-ea", "21.0", false},       {"11", "1.8", false},          {"1.8.0", "1.8", false},
        {"9+181", "9.1", true},         {"", "1.1", true},             {"25", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(versionBelow(parseVersion(c.runtime), parseVersion(c.required)), c.below)
            << c.runtime << " against " << c.required;
}
