// The runtime host before and around VM creation: load failures, a library without the
// entry point, an option that could not be stored, and calls made while no VM exists.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <glob.h>
#include <link.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "vm/jvm_host.h"
#include "vm/main_class.h"

namespace fs = std::filesystem;

namespace {

std::string listed(const JvmHost& host)
{
    std::string all;
    for (int32_t i = 0; i < host.options.Count(); ++i)
        all += std::string(host.options.Item(i)) + "|";
    return all;
}

// The file a library of the process was loaded from, found through one of its symbols.
std::string libraryOf(void* symbol)
{
    Dl_info info;
    if (dladdr(symbol, &info) == 0 || info.dli_fname == nullptr)
        return std::string();
    return fs::canonical(info.dli_fname).string();
}

// A Java runtime on this machine: the configured JDK, else the first one installed.
std::string installedRuntime()
{
    for (const char* variable : {"WYR_JDK_HOME", "JAVA_HOME"}) {
        const char* home = getenv(variable);
        if (home != nullptr && fs::exists(std::string(home) + "/lib/server/libjvm.so"))
            return std::string(home) + "/lib/server/libjvm.so";
    }
    glob_t found;
    std::string first;
    if (glob("/usr/lib/jvm/*/lib/server/libjvm.so", 0, nullptr, &found) == 0 && found.gl_pathc > 0)
        first = found.gl_pathv[0];
    globfree(&found);
    return first;
}

} // namespace

TEST(JvmHost, ReleaseOfAFreshOrReleasedHostDoesNothing)
{
    JvmHost host;
    host.release();
    host.release();
    EXPECT_FALSE(host.library.loaded());
    EXPECT_EQ(host.vm, nullptr);
}

TEST(JvmHost, UnloadableLibrariesGiveOneAndKeepTheOptions)
{
    std::string notALibrary = fs::temp_directory_path() / "wyr-not-a-library.so";
    std::ofstream(notALibrary) << "this is text, not an ELF file\n";
    for (const std::string& path : {std::string(), std::string("/nonexistent/libjvm.so"), notALibrary}) {
        JvmHost host;
        host.addOption("-Xmx8m");
        host.addOption("-Da=1");
        host.addOption("-Xmx8m");
        EXPECT_EQ(host.createVm(path.c_str()), 1) << path;
        EXPECT_FALSE(host.library.loaded()) << path;
        EXPECT_EQ(listed(host), "-Xmx8m|-Da=1|-Xmx8m|") << path;
    }
    fs::remove(notALibrary);
}

TEST(JvmHost, LibraryWithoutEntryPointGivesTwoAndStaysLoaded)
{
    std::string libm = libraryOf(dlsym(RTLD_DEFAULT, "cos"));
    ASSERT_FALSE(libm.empty());
    JvmHost host;
    host.addOption("-Dkept=1");
    EXPECT_EQ(host.createVm(libm.c_str()), 2);
    EXPECT_TRUE(host.library.loaded());
    EXPECT_EQ(host.vm, nullptr);
    EXPECT_EQ(listed(host), "-Dkept=1|");
    host.release();
    EXPECT_FALSE(host.library.loaded());
}

TEST(JvmHost, LostOptionFailsCreationWithoutStartingTheVm)
{
    std::string runtime = installedRuntime();
    if (runtime.empty())
        GTEST_SKIP() << "no Java runtime installed";
    JvmHost host;
    // An option the VM would start with, so that only the lost one can make creation fail.
    ASSERT_TRUE(host.addOption("-Xmx32m"));
    // Pretend the block is as large as a text can grow: the next text cannot be stored.
    int32_t realLength = host.options.block.length;
    host.options.block.length = 0x7FFFFFF0 - 2;
    EXPECT_FALSE(host.addOption("-Dlost=1"));
    host.options.block.length = realLength;
    EXPECT_EQ(host.options.Count(), 1);
    EXPECT_EQ(host.createVm(runtime.c_str()), 4);
    EXPECT_EQ(host.vm, nullptr);
    EXPECT_EQ(host.options.Count(), 0);
    EXPECT_EQ(host.options.block.chars, nullptr);
    // The next list starts complete again.
    EXPECT_TRUE(host.addOption("-Dnext=1"));
    EXPECT_TRUE(host.optionsComplete);
}

TEST(JvmHost, JavaCallsWithoutAVmFailQuietly)
{
    JvmHost host;
    TextBuffer version("untouched");
    EXPECT_FALSE(host.queryVmVersion(version));
    EXPECT_STREQ(version.CStr(), "untouched");
    EXPECT_EQ(findJavaClass(host, "java.lang.String"), nullptr);
    char argument[] = "a";
    char* arguments[] = {argument};
    EXPECT_EQ(runMainClass(host, "app.Main", 1, arguments), 7);
    EXPECT_FALSE(host.mainThrew);
    EXPECT_FALSE(clearPendingException(nullptr, true));
}
