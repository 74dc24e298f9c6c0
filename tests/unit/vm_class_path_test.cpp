// The class path: the executable first, classpath entries split, expanded and resolved, then
// CLASSPATH and CLASS_PATH, joined with the platform's separator.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "config/launch_config.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "vm/class_path.h"

namespace fs = std::filesystem;

namespace {

std::string text(TextBuffer buffer)
{
    return std::string(buffer.chars == nullptr ? "" : buffer.chars, static_cast<size_t>(buffer.length));
}

void setFolderText(TextBuffer& target, const std::string& folder)
{
    target.SetLength(0);
    target.Append(folder.c_str(), static_cast<int32_t>(folder.size()));
}

class ClassPath : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/wyr-classpath.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
        fs::create_directories(root + "/app/lib");
        fs::create_directories(root + "/start/lib");
        setFolderText(ExeDirectory, root + "/app/");
        setFolderText(StartDirectory, root + "/start/");
        unsetenv("CLASSPATH");
        unsetenv("CLASS_PATH");
        theLaunchConfig = &config;
        self = text(executableFilePath());
    }

    void TearDown() override
    {
        theLaunchConfig = nullptr;
        unsetenv("CLASSPATH");
        unsetenv("CLASS_PATH");
        unsetenv("WYR_TEST_LIBDIR");
        fs::remove_all(root);
    }

    void touch(const std::string& relative) { std::ofstream(root + "/" + relative) << "x"; }

    // The settings file's lines, then the embedded lines.
    void settings(const std::string& fileLines, const std::string& embeddedLines)
    {
        std::string all = fileLines.empty() ? embeddedLines : fileLines + "\r\n" + embeddedLines;
        config.SetLength(0);
        config.Append(all.c_str(), static_cast<int32_t>(all.size()));
        config.embeddedStart = fileLines.empty() ? 0 : static_cast<int32_t>(fileLines.size() + 2);
    }

    std::string joined(std::initializer_list<std::string> parts)
    {
        std::string result = self;
        for (const std::string& part : parts)
            result += classPathSeparator + part;
        return result;
    }

    LaunchConfig config;
    std::string root;
    std::string self;
};

} // namespace

TEST_F(ClassPath, ExecutableAloneWithoutSettingsOrEnvironment)
{
    settings("", "mainclass a.B\r\n");
    ASSERT_FALSE(self.empty());
    EXPECT_EQ(text(buildClassPath()), self);
}

TEST_F(ClassPath, EntriesAreSplitResolvedAndOrdered)
{
    touch("app/lib/a.jar");
    touch("start/lib/s.jar");
    setenv("WYR_TEST_LIBDIR", "/opt/libs", 1);
    settings("classpath lib/a.jar;;/abs/b.jar;", "classpath lib/s.jar;lib/none.jar\r\nclasspath ;%WYR_TEST_LIBDIR%/x.jar;  \r\n");
    std::string app = root + "/app/";
    EXPECT_EQ(text(buildClassPath()), joined({app + "lib/a.jar", "/abs/b.jar", root + "/start/lib/s.jar",
                                              app + "lib/none.jar", "/opt/libs/x.jar", app + "  "}));
}

TEST_F(ClassPath, EnvironmentValuesFollowUnchanged)
{
    struct Case { const char* classPath; const char* classPath2; std::string expected; };
    settings("", "classpath /a.jar\r\n");
    const Case cases[] = {
        {"", nullptr, joined({"/a.jar", ""})},
        {"x.jar;%HOME%", nullptr, joined({"/a.jar", "x.jar;%HOME%"})},
        {nullptr, "/c.jar", joined({"/a.jar", "/c.jar"})},
        {"/e1", "/e2", joined({"/a.jar", "/e1", "/e2"})},
    };
    for (const Case& c : cases) {
        if (c.classPath != nullptr) setenv("CLASSPATH", c.classPath, 1); else unsetenv("CLASSPATH");
        if (c.classPath2 != nullptr) setenv("CLASS_PATH", c.classPath2, 1); else unsetenv("CLASS_PATH");
        EXPECT_EQ(text(buildClassPath()), c.expected);
    }
}

TEST(ClassPathEntries, EmptyPiecesAddNothing)
{
    for (const char* value : {"", ";", ";;;"}) {
        TextBuffer entries("kept");
        collectClassPathEntries(&entries, value);
        EXPECT_EQ(text(TextBuffer(entries)), "kept") << value;
    }
}
