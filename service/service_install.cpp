// Registers the executable with the service manager and removes it again.
#include "service/service_install.h"

#include "launcher/messages.h"
#include "platform/process.h"
#include "platform/service_control.h"

TextBuffer executablePath()
{
    return executableFilePath();
}

int installService(const char* executable, const char* name, const char* displayName, const char* description,
                   const char* dependencies, bool automatic)
{
    // The "/"-separated text, which ends in "/", becomes zero-terminated names; the buffer's
    // own terminator then closes the list with an empty name.
    TextBuffer dependencyList(dependencies);
    for (int32_t i = 0; i < dependencyList.length; ++i) {
        if (dependencyList.chars[i] == '/')
            dependencyList.chars[i] = 0;
    }
    ServiceRegistration registration;
    registration.executable = executable;
    registration.name = name;
    registration.displayName = displayName;
    registration.description = description;
    registration.dependencies = dependencyList.CStr();
    registration.automatic = automatic;
    switch (registerService(registration)) {
    case Registered: return 0;
    case RegistrationUnsupported: return MessageServiceCanInstallOnNtOnly;
    case RegistrationFailed: break;
    }
    return MessageServiceInstallFailed;
}

int uninstallService(const char*, const char* name)
{
    return unregisterService(name) ? 0 : MessageServiceUninstallFailed;
}

int requestInstalledService(const char* name, ServiceRequest request, int count, char** args, bool& failed)
{
    // Indexed by the service manager's state values 1 to 7.
    static const int stateMessages[] = {
        MessageServiceIsStopped,    MessageServiceIsStarting,   MessageServiceIsStopping, MessageServiceIsRunning,
        MessageServiceIsContinuing, MessageServiceIsPausing,    MessageServiceIsPaused,
    };
    uint32_t state = 0;
    failed = true;
    switch (requestService(name, request, count, args, state)) {
    case RequestDone: break;
    case RequestNotInstalled: return MessageServiceNotInstalled;
    case RequestNotAccepted: return MessageServiceRequestNotAccepted;
    case RequestFailed: return MessageServiceRequestFailed;
    }
    if (state < ServiceStopped || state > ServicePaused)
        return MessageServiceRequestFailed;
    failed = false;
    return stateMessages[state - 1];
}
