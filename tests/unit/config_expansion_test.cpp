// %NAME% expansion, relative path resolution against both folders, and the list callback.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "config/launch_config.h"

namespace {

std::string text(const TextBuffer& buffer)
{
    return std::string(buffer.chars, static_cast<size_t>(buffer.length));
}

void assign(TextBuffer& target, const std::string& value)
{
    target.SetLength(0);
    target.Append(value.data(), static_cast<int32_t>(value.size()));
}

class Environment : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"NOPE", "nope", "x", "X", "WYRT_UNSET", "wyrt_unset"})
            unsetenv(name);
        setenv("A", "1", 1);
        setenv("WYRT_HOME", "C:\\jdk", 1);
        setenv("WYRT_EMPTY", "", 1);
        setenv("WYRT_PERCENT", "%A%", 1);
        setenv("WYRT_EQUALS", "=x", 1);
    }
};

// Two folders standing in for the executable's folder and the start folder.
class Folders : public testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/wyr-config-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
        exeFolder = root + "/app/";
        startFolder = root + "/work/";
        mkdir(exeFolder.c_str(), 0700);
        mkdir(startFolder.c_str(), 0700);
        savedExe = text(ExeDirectory);
        savedStart = text(StartDirectory);
        assign(ExeDirectory, exeFolder);
        assign(StartDirectory, startFolder);
    }
    void TearDown() override
    {
        assign(ExeDirectory, savedExe);
        assign(StartDirectory, savedStart);
        std::string command = "rm -rf '" + root + "'";
        EXPECT_EQ(system(command.c_str()), 0);
    }
    void createFile(const std::string& path)
    {
        std::string folder = path.substr(0, path.rfind('/'));
        std::string command = "mkdir -p '" + folder + "'";
        ASSERT_EQ(system(command.c_str()), 0);
        std::ofstream(path) << "x";
    }

    std::string root, exeFolder, startFolder, savedExe, savedStart;
};

} // namespace

TEST_F(Environment, ExpandVariables)
{
    struct Case { std::string source; std::string expanded; };
    const Case cases[] = {
        {"%WYRT_HOME%\\bin", "C:\\jdk\\bin"},
        {"%wyrt_home%\\bin", "C:\\jdk\\bin"},
        {"%NOPE%x%A%", "%NOPE%x1"},
        {"100%", "100%"},
        {"%PATH", "%PATH"},
        {"50%%", "50%%"},
        {"%%", "%%"},
        {"%%A%", "%1"},
        {"%A%%A%", "11"},
        {"[%A%]-[%WYRT_UNSET%]-[%A%]", "[1]-[%WYRT_UNSET%]-[1]"},
        {"%WYRT_PERCENT%", "%A%"},
        // A name with '=' is no variable, though "WYRT_EQUALS==x" begins with it.
        {"%WYRT_EQUALS=%", "%WYRT_EQUALS=%"},
        {"%WYRT_EQUALS%", "=x"},
        {"a%WYRT_EMPTY%b", "ab"},
        {"%WYRT_EMPTY%", ""},
        {"", ""},
        {"no references", "no references"},
        {std::string("%A\0%x", 5), std::string("%A\0%x", 5)},
        {std::string("\0%A%", 4), std::string("\0" "1", 2)},
    };
    for (const Case& c : cases) {
        TextBuffer source(c.source.data(), static_cast<int32_t>(c.source.size()));
        TextBuffer expanded = expandVariables(source);
        EXPECT_EQ(text(expanded), c.expanded) << testing::PrintToString(c.source);
        EXPECT_EQ(text(source), c.source) << "the input stays unchanged";
    }
}

TEST_F(Environment, CollectTextListExpandsEachValueIntoOneEntry)
{
    TextList list;
    for (const char* value : {"-Dhome=%WYRT_HOME%", "%WYRT_EMPTY%", "", "-D%NOPE%"})
        collectTextList(&list, value);
    ASSERT_EQ(list.Count(), 4);
    EXPECT_STREQ(list.Item(0), "-Dhome=C:\\jdk");
    EXPECT_STREQ(list.Item(1), "");
    EXPECT_STREQ(list.Item(2), "");
    EXPECT_STREQ(list.Item(3), "-D%NOPE%");
}

TEST_F(Folders, ResolvePathPrefersTheExecutablesFolder)
{
    struct Case { const char* path; bool besideExecutable; bool besideStart; bool expectStart; };
    const Case cases[] = {
        {"lib/a.jar", true, true, false},
        {"lib/a.jar", true, false, false},
        {"lib/a.jar", false, true, true},
        {"lib/a.jar", false, false, false},
        {"lib", false, true, true},
        {"lib/*.jar", false, true, true},
        {"../work/lib/a.jar", false, false, false},
        {"", false, false, false},
    };
    for (const Case& c : cases) {
        std::string command = "rm -rf '" + exeFolder + "lib' '" + startFolder + "lib'";
        ASSERT_EQ(system(command.c_str()), 0);
        if (c.besideExecutable)
            createFile(exeFolder + "lib/a.jar");
        if (c.besideStart)
            createFile(startFolder + "lib/a.jar");
        TextBuffer resolved = resolvePath(TextBuffer(c.path));
        EXPECT_EQ(text(resolved), (c.expectStart ? startFolder : exeFolder) + c.path)
            << c.path << " beside executable " << c.besideExecutable << ", beside start " << c.besideStart;
    }
}

TEST_F(Folders, ResolvePathKeepsAbsolutePaths)
{
    createFile(exeFolder + "opt/lib.jar");
    for (const char* path : {"/opt/lib.jar", "//server/share/lib.jar", "/"}) {
        TextBuffer resolved = resolvePath(TextBuffer(path));
        EXPECT_EQ(text(resolved), path);
    }
}
