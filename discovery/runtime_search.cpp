// Finds the Java runtime library by the strategies jre_order lists: the configured path, the
// vendors' registry keys, and the folders that JRE_HOME and JAVA_HOME name.
#include "discovery/runtime_search.h"

#include <stdio.h>
#include <string.h>

#include "config/launch_config.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/registry.h"

namespace {

const char knownStrategies[] = "csie";

// Runtimes of Java 9 and later register under the second and third key only; the classic key
// stays first so that a machine that was found before is found the same way.
const char* const javaSoftKeys[] = {
    "SOFTWARE\\JavaSoft\\Java Runtime Environment",
    "SOFTWARE\\JavaSoft\\JRE",
    "SOFTWARE\\JavaSoft\\JDK",
    nullptr,
};
const char ibmKey[] = "SOFTWARE\\IBM\\Java2 Runtime Environment";

const char* const homeVariables[] = {"JRE_HOME", "JAVA_HOME", nullptr};

// A runtime that is not found is the first thing users ask about: with WYR_DEBUG set to a
// non-empty value every candidate is explained on standard error, so standard output keeps
// only the launcher's own messages.
class SearchTrace {
public:
    explicit SearchTrace(const char* strategy) : strategy(strategy)
    {
        TextBuffer value;
        enabled = readEnvironment("WYR_DEBUG", value) && value.length > 0;
    }

    void note(const char* subject, const char* verdict) const
    {
        if (enabled)
            fprintf(stderr, "wyr: %s %s: %s\n", strategy, subject, verdict);
    }

    // Existence decides; whether the library loads is the VM loader's question.
    bool accepts(TextBuffer& path) const
    {
        bool found = pathExists(path.CStr());
        note(path.CStr(), found ? "accepted" : "not found");
        return found;
    }

private:
    const char* strategy;
    bool enabled = false;
};

bool readRegistryValue(TextBuffer& keyPath, const char* valueName, TextBuffer& value, const SearchTrace& trace)
{
    if (readMachineRegistryString(keyPath.CStr(), valueName, value))
        return true;
    TextBuffer subject = Concat("HKLM\\", keyPath);
    subject.Append("\\", 1);
    subject.Append(valueName, static_cast<int32_t>(strlen(valueName)));
    trace.note(subject.CStr(), "no value");
    return false;
}

void appendSeparatorIfMissing(TextBuffer& folder)
{
    if (folder.length == 0 || !isFolderSeparator(folder.chars[folder.length - 1]))
        folder.Append(&folderSeparator, 1);
}

TextBuffer configuredLibrary()
{
    SearchTrace trace("configured");
    TextBuffer value;
    if (theLaunchConfig != nullptr) {
        TextBuffer setting = theLaunchConfig->getValue(TextBuffer("jvmdll"), false);
        TextBuffer expanded = expandVariables(setting);
        value.Append(expanded);
    }
    if (value.length == 0) {
        trace.note("jvmdll", "not set");
        return TextBuffer();
    }
    TextBuffer resolved = resolvePath(value);
    if (trace.accepts(resolved))
        return resolved;
    return TextBuffer();
}

// The library that the current version's subkey of 'keyPath' names. Where the subkey has no
// RuntimeLib and 'fromHome' allows it, the library is looked for below its JavaHome.
TextBuffer probeRegisteredRuntime(TextBuffer& keyPath, bool fromHome)
{
    SearchTrace trace("registry");
    TextBuffer version;
    if (!readRegistryValue(keyPath, "CurrentVersion", version, trace))
        return TextBuffer();
    keyPath.Append("\\", 1);
    keyPath.Append(version);
    TextBuffer library;
    if (readRegistryValue(keyPath, "RuntimeLib", library, trace)) {
        // The path stands as stored: a %NAME% in it is not expanded.
        if (trace.accepts(library))
            return library;
        return TextBuffer();
    }
    TextBuffer home;
    if (!fromHome || !readRegistryValue(keyPath, "JavaHome", home, trace) || home.length == 0)
        return TextBuffer();
    appendSeparatorIfMissing(home);
    for (int index = 0; registeredHomeLibraries[index] != nullptr; ++index) {
        TextBuffer candidate = Concat(home, registeredHomeLibraries[index]);
        if (trace.accepts(candidate))
            return candidate;
    }
    return TextBuffer();
}

// Java 9 and later register under the newer keys and record only where the runtime is
// installed, so their subkeys are also searched below JavaHome.
TextBuffer registeredJavaSoftLibrary()
{
    for (int index = 0; javaSoftKeys[index] != nullptr; ++index) {
        TextBuffer keyPath(javaSoftKeys[index]);
        TextBuffer found = probeRegisteredRuntime(keyPath, true);
        if (found.length > 0)
            return found;
    }
    return TextBuffer();
}

// Lowercase, and "csie" when not one character names a strategy.
TextBuffer searchOrder()
{
    TextBuffer order;
    if (theLaunchConfig != nullptr) {
        TextBuffer setting = theLaunchConfig->getValue(TextBuffer("jre_order"), false);
        order.Append(setting);
    }
    bool namesStrategy = false;
    for (int32_t index = 0; index < order.length; ++index) {
        char& c = order.chars[index];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (ContainsChar(knownStrategies, c))
            namesStrategy = true;
    }
    if (!namesStrategy) {
        order.SetLength(0);
        order.Append(knownStrategies, static_cast<int32_t>(sizeof knownStrategies - 1));
    }
    return order;
}

TextBuffer runStrategy(char letter)
{
    switch (letter) {
    case 'c':
        return configuredLibrary();
    case 's':
        return registeredJavaSoftLibrary();
    case 'i':
        return probeRegistry(TextBuffer(ibmKey));
    case 'e':
        return probeJavaHomes();
    default:
        return TextBuffer();
    }
}

} // namespace

TextBuffer findJvmLibrary()
{
    TextBuffer order = searchOrder();
    for (int32_t index = 0; index < order.length; ++index) {
        TextBuffer found = runStrategy(order.chars[index]);
        if (found.length > 0)
            return found;
    }
    return TextBuffer();
}

TextBuffer probeRegistry(TextBuffer keyPath)
{
    return probeRegisteredRuntime(keyPath, false);
}

TextBuffer probeJavaHomes()
{
    SearchTrace trace("environment");
    for (int variable = 0; homeVariables[variable] != nullptr; ++variable) {
        TextBuffer home;
        if (!readEnvironment(homeVariables[variable], home) || home.length == 0) {
            trace.note(homeVariables[variable], "not set");
            continue;
        }
        // Taken as written: no %NAME% expansion, no relative-path resolution.
        appendSeparatorIfMissing(home);
        for (int relative = 0; javaHomeFolders[relative] != nullptr; ++relative) {
            TextBuffer folder = Concat(home, javaHomeFolders[relative]);
            TextBuffer candidate = Concat(folder, runtimeLibraryName);
            if (trace.accepts(candidate))
                return candidate;
            // One level down, in the order the platform lists the entries; never deeper.
            FolderListing listing;
            if (!listing.open(folder.CStr()))
                continue;
            TextBuffer name;
            bool isFolder = false;
            while (listing.next(name, isFolder)) {
                if (!isFolder || name.Compare(".") == 0 || name.Compare("..") == 0)
                    continue;
                TextBuffer nested = Concat(folder, name.CStr());
                nested.Append(&folderSeparator, 1);
                nested.Append(runtimeLibraryName, static_cast<int32_t>(strlen(runtimeLibraryName)));
                if (trace.accepts(nested))
                    return nested;
            }
        }
    }
    return TextBuffer();
}
