// Recognises the first argument and runs its command; every outcome becomes an exit status.
#include "launcher/dispatch.h"

#include <stdio.h>

#include "launcher/messages.h"
#include "service/service_install.h"
#include "service/service_runtime.h"
#include "vm/jvm_host.h"
#include "vm/launch_sequence.h"

namespace {

struct RequestWord {
    const char* word;
    ServiceRequest request;
};

// The words that act on the installed service, compared in this order after /uninstall.
const RequestWord requestWords[] = {
    {"/start", RequestStart}, {"/pause", RequestPause},   {"/continue", RequestContinue},
    {"/stop", RequestStop},   {"/status", RequestStatus},
};

// Prints a result message; the service texts use it as the format, the service name as its one argument.
void printResult(TextBuffer& message, TextBuffer& name)
{
    TextBuffer format = Concat(message, "\n");
    printf(format.CStr(), name.CStr());
}

} // namespace

int dispatchCommand(int count, char** args)
{
    if (count < 1) {
        TextBuffer hint = loadMessageText(MessageServiceHint);
        printf("%s\n", hint.CStr());
        fflush(stdout);
        runServiceDispatcher();
        return 0;
    }
    if (equalsIgnoringCase(args[0], "/test")) {
        LaunchError outcome = runLaunchSequence(count - 1, args + 1, nullptr);
        if (outcome != LaunchOk)
            return outcome;
        return theJvmHost != nullptr && theJvmHost->mainThrew ? 1 : 0;
    }

    TextBuffer executable = executablePath();
    TextBuffer name = serviceName();
    TextBuffer displayName = serviceDisplayName();
    TextBuffer description = serviceDescription();
    TextBuffer dependencies = Concat(serviceDependencies(), "/");
    TextBuffer message;
    int status = 0;

    if (equalsIgnoringCase(args[0], "/install")) {
        bool automatic = count > 1 && equalsIgnoringCase(args[1], "auto");
        int failure = installService(executable.CStr(), name.CStr(), displayName.CStr(), description.CStr(),
                                     dependencies.CStr(), automatic);
        assignMessageText(message, static_cast<uint16_t>(failure == 0 ? MessageServiceInstalled : failure));
        status = failure == 0 ? 0 : 1;
    } else if (equalsIgnoringCase(args[0], "/uninstall")) {
        int failure = uninstallService(executable.CStr(), name.CStr());
        assignMessageText(message, static_cast<uint16_t>(failure == 0 ? MessageServiceUninstalled : failure));
        status = failure == 0 ? 0 : 1;
    } else {
        for (const RequestWord& entry : requestWords) {
            if (!equalsIgnoringCase(args[0], entry.word))
                continue;
            bool failed = false;
            // The words after /start become the service's start parameters.
            int result = requestInstalledService(name.CStr(), entry.request, count - 1, args + 1, failed);
            assignMessageText(message, static_cast<uint16_t>(result));
            status = failed ? 1 : 0;
            break;
        }
    }
    printResult(message, name);
    return status;
}
