// POSIX has no registry: every lookup finds nothing.
#include "platform/registry.h"

const char* const registeredHomeLibraries[] = {nullptr};

bool readMachineRegistryString(const char*, const char*, TextBuffer& value)
{
    value.SetLength(0);
    return false;
}
