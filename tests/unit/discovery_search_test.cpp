// The runtime search on Linux: jre_order, the configured path and the JRE_HOME/JAVA_HOME probe,
// against fake layouts in a temporary folder and the JDKs installed on the machine.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "config/launch_config.h"
#include "discovery/runtime_search.h"

namespace fs = std::filesystem;

namespace {

std::string text(const TextBuffer& buffer)
{
    return std::string(buffer.chars == nullptr ? "" : buffer.chars, static_cast<size_t>(buffer.length));
}

std::string replaceAll(std::string value, const std::string& from, const std::string& to)
{
    for (size_t at = value.find(from); at != std::string::npos; at = value.find(from, at + to.size()))
        value.replace(at, from.size(), to);
    return value;
}

void setOrUnset(const char* name, const char* value)
{
    if (value == nullptr)
        unsetenv(name);
    else
        setenv(name, value, 1);
}

// Lines of 'log' that begin with 'prefix'.
int countLines(const std::string& log, const std::string& prefix)
{
    std::istringstream lines(log);
    int count = 0;
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(prefix, 0) == 0)
            ++count;
    return count;
}

// A temporary folder with the launcher's settings and folder texts pointed into it, and the
// variables the search reads put back afterwards.
class RuntimeSearch : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/wyr-discovery.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
        for (const char* name : savedNames) {
            const char* value = getenv(name);
            saved.emplace_back(name, value == nullptr ? std::string() : std::string(value), value != nullptr);
            unsetenv(name);
        }
        make("app/");
        make("start/");
        setFolder(ExeDirectory, "app/");
        setFolder(StartDirectory, "start/");
        theLaunchConfig = &config;
    }

    void TearDown() override
    {
        theLaunchConfig = nullptr;
        for (const auto& [name, value, defined] : saved)
            setOrUnset(name.c_str(), defined ? value.c_str() : nullptr);
        fs::remove_all(root);
    }

    // "{tmp}" stands for the temporary folder.
    std::string place(const char* pattern) const { return replaceAll(pattern, "{tmp}", root.string()); }

    // An entry ending in "/" is a folder, anything else a file.
    void make(const std::string& entry)
    {
        fs::path path = root / entry;
        if (entry.back() == '/') {
            fs::create_directories(path);
        } else {
            fs::create_directories(path.parent_path());
            std::ofstream(path) << "not a runtime";
        }
    }

    void setFolder(TextBuffer& folder, const char* relative)
    {
        std::string path = (root / relative).string();
        folder.SetLength(0);
        folder.Append(path.c_str(), static_cast<int32_t>(path.size()));
    }

    void useSettings(const std::string& settings)
    {
        config.SetLength(0);
        config.Append(settings.c_str(), static_cast<int32_t>(settings.size()));
        config.embeddedStart = 0;
    }

    fs::path root;
    LaunchConfig config;
    static constexpr const char* savedNames[] = {"JRE_HOME", "JAVA_HOME", "WYR_DEBUG", "WYR_TEST_RUNTIME"};
    std::vector<std::tuple<std::string, std::string, bool>> saved;
};

struct OrderCase {
    const char* order; // null: no jre_order line
    bool configuredExists;
    const char* expected; // "configured", "home" or "" for nothing found
    int configuredChecks;
};

TEST_F(RuntimeSearch, OrderDecidesWhichStrategiesRun)
{
    // This platform has no registry, so s and i never find anything here.
    const OrderCase cases[] = {
        {nullptr, true, "configured", 1},
        {nullptr, false, "home", 1},
        {"", true, "configured", 1},
        {"E", true, "home", 0},
        {"sie", true, "home", 0},
        {"xyz", true, "configured", 1},
        {"xe", true, "home", 0},
        {"cc", false, "", 2},
        {"ec", true, "home", 0},
        {"Ce", true, "configured", 1},
        {"si", true, "", 0},
        {"c-e", false, "home", 1},
    };
    make("home/lib/server/libjvm.so");
    setenv("JAVA_HOME", place("{tmp}/home").c_str(), 1);
    setenv("WYR_DEBUG", "1", 1);
    const std::string configured = place("{tmp}/configured/libjvm.so");
    const std::string home = place("{tmp}/home/lib/server/libjvm.so");
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(c.order == nullptr ? "(no jre_order)" : c.order);
        fs::remove_all(root / "configured");
        if (c.configuredExists)
            make("configured/libjvm.so");
        std::string settings = "jvmdll " + configured + "\r\n";
        if (c.order != nullptr)
            settings = "jre_order " + std::string(c.order) + "\r\n" + settings;
        useSettings(settings);

        testing::internal::CaptureStderr();
        TextBuffer found = findJvmLibrary();
        std::string trace = testing::internal::GetCapturedStderr();

        std::string expected = std::string(c.expected) == "configured" ? configured
                               : std::string(c.expected) == "home"     ? home
                                                                       : "";
        EXPECT_EQ(text(found), expected);
        EXPECT_EQ(countLines(trace, "wyr: configured "), c.configuredChecks) << trace;
    }
}

struct ConfiguredCase {
    const char* jvmdll;
    std::vector<std::string> layout;
    const char* expected;
};

TEST_F(RuntimeSearch, ConfiguredPathIsExpandedResolvedAndMustExist)
{
    const ConfiguredCase cases[] = {
        {"{tmp}/rt/libjvm.so", {"rt/libjvm.so"}, "{tmp}/rt/libjvm.so"},
        {"{tmp}/rt/missing.so", {"rt/libjvm.so"}, ""},
        // Only existence is asked; a folder fails later, when it does not load.
        {"{tmp}/rt", {"rt/"}, "{tmp}/rt"},
        {"jre/lib/libjvm.so", {"app/jre/lib/libjvm.so", "start/jre/lib/libjvm.so"}, "{tmp}/app/jre/lib/libjvm.so"},
        {"jre/lib/libjvm.so", {"start/jre/lib/libjvm.so"}, "{tmp}/start/jre/lib/libjvm.so"},
        {"jre/lib/libjvm.so", {}, ""},
        {"%WYR_TEST_RUNTIME%/libjvm.so", {"rt/libjvm.so"}, "{tmp}/rt/libjvm.so"},
        {"%wyr_test_runtime%/missing.so", {"rt/libjvm.so"}, ""},
        {"", {"app/"}, ""},
    };
    setenv("WYR_TEST_RUNTIME", place("{tmp}/rt").c_str(), 1);
    for (const ConfiguredCase& c : cases) {
        SCOPED_TRACE(c.jvmdll);
        fs::remove_all(root / "rt");
        fs::remove_all(root / "app");
        fs::remove_all(root / "start");
        make("app/");
        make("start/");
        for (const std::string& entry : c.layout)
            make(entry);
        useSettings("jre_order c\r\njvmdll " + place(c.jvmdll) + "\r\n");
        EXPECT_EQ(text(findJvmLibrary()), place(c.expected));
    }
}

struct HomeCase {
    const char* what;
    const char* jreHome; // null: not defined
    const char* javaHome;
    std::vector<std::string> layout;
    const char* expected;
};

TEST_F(RuntimeSearch, HomesAreProbedInOrderOneLevelDeep)
{
    const HomeCase cases[] = {
        {"JDK 9 and later", nullptr, "{tmp}/jdk", {"jdk/lib/server/libjvm.so"}, "{tmp}/jdk/lib/server/libjvm.so"},
        {"Java 8 development kit", nullptr, "{tmp}/jdk8", {"jdk8/jre/lib/amd64/server/libjvm.so"},
         "{tmp}/jdk8/jre/lib/amd64/server/libjvm.so"},
        {"home naming bin", nullptr, "{tmp}/jdk/bin", {"jdk/bin/", "jdk/lib/server/libjvm.so"},
         "{tmp}/jdk/bin/../lib/server/libjvm.so"},
        {"library in the home itself", "{tmp}/rt", nullptr, {"rt/libjvm.so", "rt/lib/libjvm.so"}, "{tmp}/rt/libjvm.so"},
        {"subfolders of the home before lib/", "{tmp}/rt", nullptr, {"rt/vm/libjvm.so", "rt/lib/server/libjvm.so"},
         "{tmp}/rt/vm/libjvm.so"},
        {"never two levels deep", "{tmp}/rt", nullptr, {"rt/lib/a/b/libjvm.so"}, ""},
        {"file named like a folder", "{tmp}/rt", nullptr, {"rt/lib/server", "rt/lib/client/libjvm.so"},
         "{tmp}/rt/lib/client/libjvm.so"},
        {"home ending in a slash", "{tmp}/rt/", nullptr, {"rt/lib/server/libjvm.so"}, "{tmp}/rt/lib/server/libjvm.so"},
        {"JRE_HOME before JAVA_HOME", "{tmp}/jre", "{tmp}/jdk", {"jre/lib/server/libjvm.so", "jdk/libjvm.so"},
         "{tmp}/jre/lib/server/libjvm.so"},
        {"empty JRE_HOME", "", "{tmp}/jdk", {"jdk/lib/server/libjvm.so"}, "{tmp}/jdk/lib/server/libjvm.so"},
        {"JRE_HOME without a runtime", "{tmp}/empty", "{tmp}/jdk", {"empty/lib/", "jdk/lib/server/libjvm.so"},
         "{tmp}/jdk/lib/server/libjvm.so"},
        {"JRE_HOME missing", "{tmp}/gone", "{tmp}/jdk", {"jdk/lib/server/libjvm.so"}, "{tmp}/jdk/lib/server/libjvm.so"},
        {"nothing set", nullptr, nullptr, {"jdk/lib/server/libjvm.so"}, ""},
        {"values are not expanded", "%WYR_TEST_RUNTIME%", nullptr, {"jdk/lib/server/libjvm.so"}, ""},
    };
    setenv("WYR_TEST_RUNTIME", place("{tmp}/jdk").c_str(), 1);
    for (const HomeCase& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char* folder : {"jdk", "jdk8", "jre", "rt", "empty"})
            fs::remove_all(root / folder);
        for (const std::string& entry : c.layout)
            make(entry);
        setOrUnset("JRE_HOME", c.jreHome == nullptr ? nullptr : place(c.jreHome).c_str());
        setOrUnset("JAVA_HOME", c.javaHome == nullptr ? nullptr : place(c.javaHome).c_str());
        EXPECT_EQ(text(probeJavaHomes()), place(c.expected));
        useSettings("jre_order e\r\n");
        EXPECT_EQ(text(findJvmLibrary()), place(c.expected));
    }
}

TEST_F(RuntimeSearch, FirstListedSubfolderWins)
{
    for (const char* name : {"delta", "alpha", "charlie", "bravo"})
        make(std::string("rt/lib/") + name + "/libjvm.so");
    make("rt/lib/aaa/");
    std::string expected;
    for (const fs::directory_entry& entry : fs::directory_iterator(root / "rt/lib")) {
        if (fs::exists(entry.path() / "libjvm.so")) {
            expected = (entry.path() / "libjvm.so").string();
            break;
        }
    }
    setenv("JAVA_HOME", place("{tmp}/rt").c_str(), 1);
    EXPECT_EQ(text(probeJavaHomes()), expected);
}

TEST_F(RuntimeSearch, FindsTheInstalledJdks)
{
    const char* const homes[] = {"/usr/lib/jvm/java-17-openjdk-amd64", "/usr/lib/jvm/temurin-25-jdk-amd64"};
    int tried = 0;
    for (const char* home : homes) {
        if (!fs::exists(std::string(home) + "/lib/server/libjvm.so"))
            continue;
        SCOPED_TRACE(home);
        ++tried;
        setenv("JAVA_HOME", home, 1);
        useSettings("");
        EXPECT_EQ(text(findJvmLibrary()), std::string(home) + "/lib/server/libjvm.so");
        setenv("JRE_HOME", (std::string(home) + "/").c_str(), 1);
        setenv("JAVA_HOME", "/nonexistent", 1);
        EXPECT_EQ(text(findJvmLibrary()), std::string(home) + "/lib/server/libjvm.so");
        unsetenv("JRE_HOME");
    }
    if (tried == 0)
        GTEST_SKIP() << "no JDK installed under /usr/lib/jvm";
}

struct TraceCase {
    const char* debug; // null: not defined
    bool explains;
};

TEST_F(RuntimeSearch, ExplainsCandidatesOnlyWhenAsked)
{
    const TraceCase cases[] = {{nullptr, false}, {"", false}, {"1", true}, {"yes", true}};
    make("jdk/lib/server/libjvm.so");
    setenv("JAVA_HOME", place("{tmp}/jdk").c_str(), 1);
    const std::string found = place("{tmp}/jdk/lib/server/libjvm.so");
    useSettings(place("jre_order ce\r\njvmdll {tmp}/missing.so\r\n"));
    for (const TraceCase& c : cases) {
        SCOPED_TRACE(c.debug == nullptr ? "(undefined)" : c.debug);
        setOrUnset("WYR_DEBUG", c.debug);
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        EXPECT_EQ(text(findJvmLibrary()), found);
        std::string trace = testing::internal::GetCapturedStderr();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        if (!c.explains) {
            EXPECT_EQ(trace, "");
            continue;
        }
        EXPECT_NE(trace.find("wyr: configured " + place("{tmp}/missing.so") + ": not found\n"), std::string::npos) << trace;
        EXPECT_NE(trace.find("wyr: environment JRE_HOME: not set\n"), std::string::npos) << trace;
        EXPECT_NE(trace.find("wyr: environment " + place("{tmp}/jdk/libjvm.so") + ": not found\n"), std::string::npos)
            << trace;
        // The accepted candidate ends the search, so it is the last line.
        std::string last = "wyr: environment " + found + ": accepted\n";
        ASSERT_GE(trace.size(), last.size());
        EXPECT_EQ(trace.substr(trace.size() - last.size()), last);
    }
}

} // namespace
