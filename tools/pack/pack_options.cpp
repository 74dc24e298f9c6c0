// The packager's command line: what to package, with which settings, or which file to inspect.
#include "tools/pack/pack_options.h"

#include <string.h>

const char* const packUsage =
    "usage: wyr-pack -o OUT [--launcher STUB] [--settings FILE]\n"
    "                [--mainclass CLASS] [--option TEXT]... [--property NAME=VALUE]... [--classpath ENTRIES]...\n"
    "                [--minjre X.Y] [--jre-order ORDER] [--jvmdll PATH]\n"
    "                [--service-name NAME] [--display-name TEXT] [--description TEXT] [--depends A/B]\n"
    "                [--no-bridge] JAR...\n"
    "       wyr-pack --inspect FILE\n"
    "       wyr-pack --help | --version\n"
    "\n"
    "Appends the JARs, merged into one archive whose comment holds the settings, to a copy of the\n"
    "wyr launcher STUB (by default the launcher beside wyr-pack) and writes it to OUT.\n";

namespace {

struct SettingFlag {
    const char* flag;
    const char* key;
    bool repeatable;
};

const SettingFlag settingFlags[] = {
    {"--mainclass", "mainclass", false}, {"--option", "option", true},     {"--property", "property", true},
    {"--classpath", "classpath", true},  {"--minjre", "minjre", false},    {"--jre-order", "jre_order", false},
    {"--jvmdll", "jvmdll", false},
};

const char* const serviceFlags[serviceTextCount] = {"--service-name", "--display-name", "--description", "--depends"};

// A major number, optionally followed by a dot and a minor number: "11", "1.8".
bool isVersionNumber(const std::string& text)
{
    size_t dot = text.find('.');
    if (dot == 0 || text.empty() || (dot != std::string::npos && dot + 1 == text.size()))
        return false;
    for (size_t index = 0; index < text.size(); ++index) {
        if (index != dot && (text[index] < '0' || text[index] > '9'))
            return false;
    }
    return true;
}

bool checkSettingValue(const SettingFlag& flag, const std::string& value, std::string& problem)
{
    // A line break would end the line early and start a line of its own in the settings text.
    if (value.find_first_of("\r\n") != std::string::npos) {
        problem = std::string(flag.flag) + " value holds a line break";
        return false;
    }
    if (strcmp(flag.key, "property") == 0 && (value.empty() || value[0] == '=' || value.find('=') == std::string::npos)) {
        problem = "--property takes NAME=VALUE, not '" + value + "'";
        return false;
    }
    if (strcmp(flag.key, "minjre") == 0 && !isVersionNumber(value)) {
        problem = "--minjre takes a version such as 11 or 1.8, not '" + value + "'";
        return false;
    }
    if (strcmp(flag.key, "mainclass") == 0 && value.empty()) {
        problem = "--mainclass needs a class name";
        return false;
    }
    return true;
}

} // namespace

bool parsePackOptions(int argc, char** argv, PackOptions& options, std::string& problem)
{
    options = PackOptions();
    bool inspect = false;
    for (int index = 1; index < argc; ++index) {
        std::string argument = argv[index];
        std::string flag = argument, value;
        bool inlineValue = false;
        size_t equals = argument.find('=');
        if (argument.compare(0, 2, "--") == 0 && equals != std::string::npos) {
            flag = argument.substr(0, equals);
            value = argument.substr(equals + 1);
            inlineValue = true;
        }
        // Fetches the flag's value, from "--flag=value" or from the next argument.
        auto takeValue = [&]() {
            if (inlineValue)
                return true;
            if (index + 1 >= argc) {
                problem = flag + " needs a value";
                return false;
            }
            value = argv[++index];
            return true;
        };
        if (flag == "--help" || flag == "-h") {
            options.mode = PackOptions::Mode::help;
            return true;
        }
        if (flag == "--version") {
            options.mode = PackOptions::Mode::version;
            return true;
        }
        if (flag == "-o" || flag == "--output" || flag == "--launcher" || flag == "--settings" || flag == "--inspect") {
            if (!takeValue())
                return false;
            std::string& target = flag == "--launcher"   ? options.launcher
                                  : flag == "--settings" ? options.settingsFile
                                  : flag == "--inspect"  ? options.inspected
                                                         : options.output;
            if (!target.empty()) {
                problem = flag + " given twice";
                return false;
            }
            if (value.empty()) {
                problem = flag + " needs a file name";
                return false;
            }
            target = value;
            inspect = inspect || flag == "--inspect";
            continue;
        }
        if (flag == "--no-bridge") {
            options.noBridge = true;
            continue;
        }
        const SettingFlag* setting = nullptr;
        for (const SettingFlag& candidate : settingFlags) {
            if (flag == candidate.flag)
                setting = &candidate;
        }
        if (setting != nullptr) {
            if (!takeValue() || !checkSettingValue(*setting, value, problem))
                return false;
            for (const SettingLine& line : options.settings) {
                if (!setting->repeatable && line.key == setting->key) {
                    problem = flag + " given twice";
                    return false;
                }
            }
            options.settings.push_back({setting->key, value});
            continue;
        }
        bool serviceFlag = false;
        for (size_t text = 0; text < serviceTextCount; ++text) {
            if (flag != serviceFlags[text])
                continue;
            if (!takeValue())
                return false;
            if (options.serviceTextGiven[text]) {
                problem = flag + " given twice";
                return false;
            }
            options.serviceTexts[text] = value;
            options.serviceTextGiven[text] = true;
            serviceFlag = true;
        }
        if (serviceFlag)
            continue;
        if (argument.size() > 1 && argument[0] == '-') {
            problem = "unknown option " + flag;
            return false;
        }
        options.jars.push_back(argument);
    }
    if (inspect) {
        if (!options.output.empty() || !options.jars.empty() || !options.launcher.empty() ||
            !options.settingsFile.empty() || !options.settings.empty() || options.noBridge) {
            problem = "--inspect takes only the file to inspect";
            return false;
        }
        for (bool given : options.serviceTextGiven) {
            if (given) {
                problem = "--inspect takes only the file to inspect";
                return false;
            }
        }
        options.mode = PackOptions::Mode::inspect;
        return true;
    }
    if (options.output.empty()) {
        problem = "no output file: give -o OUT";
        return false;
    }
    if (options.jars.empty()) {
        problem = "no JAR to package";
        return false;
    }
    return true;
}
