// The packager's command line: what to package, with which settings, or which file to inspect.
#pragma once

#include <string>
#include <vector>

#include "tools/pack/stub_strings.h"

struct SettingLine {
    std::string key;
    std::string value;
};

struct PackOptions {
    enum class Mode { pack, inspect, help, version };
    Mode mode = Mode::pack;
    std::string output;
    std::string launcher;
    std::string settingsFile;
    std::string inspected;
    // Settings from flags, in the order given.
    std::vector<SettingLine> settings;
    // Service name, display name, description, dependencies; only the given ones are rewritten.
    std::string serviceTexts[serviceTextCount];
    bool serviceTextGiven[serviceTextCount] = {};
    bool noBridge = false;
    std::vector<std::string> jars;
};

// False, with a one-line reason, for a command line that does not say what to do.
bool parsePackOptions(int argc, char** argv, PackOptions& options, std::string& problem);

extern const char* const packUsage;
