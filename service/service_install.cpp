// Registers the executable with the service manager and removes it again.
#include "service/service_install.h"

#include "launcher/messages.h"
#include "platform/process.h"

TextBuffer executablePath()
{
    return executableFilePath();
}

int installService(const char*, const char*, const char*, const char*, const char*, bool)
{
    return MessageServiceInstallFailed;
}

int uninstallService(const char*, const char*)
{
    return MessageServiceUninstallFailed;
}
