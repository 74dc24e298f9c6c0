// Reads string values below HKEY_LOCAL_MACHINE.
#include "platform/registry.h"

#include <string.h>

#include "platform/win32/windows_api.h"

// Java 9 and later register a home without a library path; server VMs are the common case.
const char* const registeredHomeLibraries[] = {"bin\\server\\jvm.dll", "bin\\client\\jvm.dll", nullptr};

bool readMachineRegistryString(const char* keyPath, const char* valueName, TextBuffer& value)
{
    value.SetLength(0);
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegistryKey key(opened);
    // One byte more than the value may fill, so a string stored without its terminator is
    // still terminated inside the buffer.
    char buffer[261];
    DWORD size = 260;
    if (RegQueryValueExA(key.get(), valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return false;
    buffer[size < 260 ? size : 260] = 0;
    value.Append(buffer, static_cast<int32_t>(strlen(buffer)));
    return true;
}
