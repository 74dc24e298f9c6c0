// The archive comment search over file bytes, and directory-search existence on real folders.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "config/launch_config.h"

namespace {

std::string text(const TextBuffer& buffer)
{
    return std::string(buffer.chars, static_cast<size_t>(buffer.length));
}

const std::string signature("PK\x05\x06", 4);

// An image, the end record (signature, 18 bytes of fields) and what follows it.
std::string archive(size_t imageSize, const std::string& comment)
{
    return std::string(imageSize, '\x90') + signature + std::string(18, '\0') + comment;
}

TextBuffer search(const std::string& bytes)
{
    return findEmbeddedSettings(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

} // namespace

TEST(EmbeddedSettings, CommentIsEverythingAfterTheLastEndRecord)
{
    const std::string comment = "mainclass app.Main\r\noption -Xmx64m\r\n";
    const std::string withNul("a\0b", 3);
    struct Case { std::string bytes; std::string embedded; };
    const Case cases[] = {
        {archive(100, comment), comment},
        {archive(0, comment), comment},
        {archive(5000, std::string(2048, 'x')), std::string(2048, 'x')},
        {archive(0, std::string(2048, 'x')), std::string(2048, 'x')},
        {archive(5000, std::string(2049, 'x')), ""},
        {archive(5000, withNul), withNul},
        // A signature inside the comment cuts it; the one nearest the end wins.
        {archive(100, "first " + signature + std::string(18, '-') + "second"), "second"},
        // Bytes behind the comment belong to it: the end of the file bounds it.
        {archive(100, comment) + "trailer", comment + "trailer"},
        // A signature in the last 21 bytes has no room for a record; an earlier one counts.
        {archive(0, "tail" + signature), "tail" + signature},
        {std::string(100, 'x') + signature + std::string(10, 'y'), ""},
        {"", ""},
        {signature, ""},
        {archive(0, ""), ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text(search(c.bytes)), c.embedded) << "file of " << c.bytes.size() << " bytes";
    }
}

TEST(EmbeddedSettings, SearchWindowIsTheLast2070Bytes)
{
    // A signature at offset P in a file of S bytes is found only when P >= S - 2070.
    struct Case { size_t fileSize; size_t position; bool found; };
    const Case cases[] = {
        {3000, 930, true}, {3000, 929, false}, {2070, 0, true}, {2071, 0, false}, {2071, 1, true},
        {22, 0, true},     {40, 18, true},     {40, 19, false},
    };
    for (const Case& c : cases) {
        std::string bytes(c.fileSize, 'z');
        bytes.replace(c.position, signature.size(), signature);
        std::string expected = c.found ? bytes.substr(c.position + 22) : "";
        TextBuffer embedded = search(bytes);
        EXPECT_EQ(text(embedded), expected) << "signature at " << c.position << " of " << c.fileSize;
    }
    EXPECT_EQ(findEmbeddedSettings(nullptr, 0).length, 0);
}

TEST(PathExists, FilesFoldersAndPatterns)
{
    char pattern[] = "/tmp/wyr-exists-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string root = pattern;
    ASSERT_EQ(system(("mkdir -p '" + root + "/lib' '" + root + "/a[1]' '" + root + "/b'").c_str()), 0);
    std::ofstream(root + "/lib/x.jar") << "x";
    std::ofstream(root + "/a[1]/y.jar") << "y";
    std::ofstream(root + "/b/1") << "1";
    struct Case { std::string path; bool exists; };
    const Case cases[] = {
        {root + "/lib/x.jar", true},
        {root + "/lib", true},
        {root + "/lib/", true},
        {root + "/lib/y.jar", false},
        {root + "/lib/x.jar/", false},
        {root + "/lib/*.jar", true},
        {root + "/lib/?.jar", true},
        {root + "/lib/*.txt", false},
        {root + "/l*", true},
        // Brackets are part of the name, not a pattern.
        {root + "/a[1]", true},
        {root + "/a[1]/y.jar", true},
        {root + "/a[1]/*.jar", true},
        {root + "/b/[1]", false},
        {root + "/b/[1]*", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pathExists(c.path.c_str()), c.exists) << c.path;
    EXPECT_EQ(system(("rm -rf '" + root + "'").c_str()), 0);
}

TEST(EmbeddedSettings, FilesThatCannotBeMappedGiveAnEmptyText)
{
    char pattern[] = "/tmp/wyr-embedded-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string root = pattern;
    const std::string comment = "mainclass app.Main\r\n";
    std::ofstream(root + "/app", std::ios::binary) << archive(64, comment);
    std::ofstream(root + "/empty", std::ios::binary);
    struct Case { std::string path; std::string embedded; };
    const Case cases[] = {
        {root + "/app", comment},
        {root + "/empty", ""},
        {root + "/missing", ""},
        {root, ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(text(readEmbeddedSettingsFrom(c.path.c_str())), c.embedded) << c.path;
    EXPECT_EQ(readEmbeddedSettingsFrom(nullptr).length, 0);
    EXPECT_EQ(system(("rm -rf '" + root + "'").c_str()), 0);
}
