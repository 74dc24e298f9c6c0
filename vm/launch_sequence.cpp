// Turns the settings into a running Java program: options, runtime, VM, version, main class.
#include "vm/launch_sequence.h"

#include <stdio.h>

#include "config/launch_config.h"
#include "discovery/runtime_search.h"
#include "launcher/messages.h"
#include "vm/class_path.h"
#include "vm/jvm_host.h"
#include "vm/main_class.h"
#include "vm/version_check.h"

namespace {

// The values of one multi-valued key, and whether every one of them could be stored.
struct SettingValues {
    TextList list;
    bool complete = true;
};

// collectTextList, noticing a value that the list had no room for.
void collectSettingValue(void* context, const char* value)
{
    SettingValues& values = *static_cast<SettingValues*>(context);
    int32_t before = values.list.Count();
    collectTextList(&values.list, value);
    if (values.list.Count() == before)
        values.complete = false;
}

// Hands every expanded value of 'key' to the host, each behind 'prefix'.
void addSettingOptions(JvmHost& host, SettingValues& values, const char* key, const char* prefix)
{
    values.list.Clear();
    theLaunchConfig->queryKey(TextBuffer(key), collectSettingValue, &values, false);
    if (!values.complete)
        host.optionsComplete = false;
    for (int32_t i = 0; i < values.list.Count(); ++i) {
        TextBuffer option(prefix);
        if (option.Append(TextView(values.list.Item(i))))
            host.addOption(option.CStr());
        else
            host.optionsComplete = false;
    }
    values.list.Clear();
}

void addFixedOption(JvmHost& host, const char* prefix, const TextBuffer& value)
{
    TextBuffer option(prefix);
    if (option.length > 0 && option.Append(value))
        host.addOption(option.CStr());
    else
        host.optionsComplete = false;
}

void gatherOptions(JvmHost& host)
{
    SettingValues values;
    addSettingOptions(host, values, "option", "");
    addSettingOptions(host, values, "property", "-D");
    addFixedOption(host, "-Djava.class.path=", buildClassPath());
    addFixedOption(host, "-Dwyr.app.path=", theLaunchConfig->exePath);
    addFixedOption(host, "-Dapplication.home=", ExeDirectory);
}

// The minjre check. 'runtime' and 'required' are filled for the report.
LaunchError checkVersion(JvmHost& host, VersionPair& runtime, VersionPair& required)
{
    TextBuffer minimum = theLaunchConfig->getValue(TextBuffer("minjre"), false);
    if (minimum.Compare("") == 0)
        return LaunchOk;
    TextBuffer version;
    if (!host.queryVmVersion(version))
        return VmVersionUnavailable;
    required = parseVersion(minimum.CStr());
    runtime = parseVersion(version.CStr());
    return versionBelow(runtime, required) ? VmVersionTooLow : LaunchOk;
}

void report(LaunchError outcome, VersionPair runtime, VersionPair required)
{
    TextBuffer message;
    if (outcome == VmVersionTooLow) {
        TextBuffer format = loadMessageText(VmVersionTooLow);
        formatText(message, format.CStr(), runtime.major, runtime.minor, required.major, required.minor);
    } else {
        assignMessageText(message, static_cast<uint16_t>(outcome));
    }
    printf("%s\n", message.CStr());
    fflush(stdout);
}

} // namespace

LaunchError runLaunchSequence(int count, char** args, BeforeMainHook beforeMainHook)
{
    JvmHost& host = *theJvmHost;
    gatherOptions(host);

    VersionPair runtime;
    VersionPair required;
    LaunchError outcome;
    {
        TextBuffer library = findJvmLibrary();
        outcome = static_cast<LaunchError>(host.createVm(library.CStr()));
    }
    if (outcome == LaunchOk)
        outcome = checkVersion(host, runtime, required);
    if (outcome == LaunchOk) {
        if (beforeMainHook != nullptr)
            beforeMainHook();
        TextBuffer mainClass = theLaunchConfig->getValue(TextBuffer("mainclass"), true);
        // Lines the launcher printed must come before anything the program writes.
        fflush(stdout);
        outcome = static_cast<LaunchError>(runMainClass(host, mainClass.CStr(), count, args));
    }
    if (outcome != LaunchOk)
        report(outcome, runtime, required);
    return outcome;
}
