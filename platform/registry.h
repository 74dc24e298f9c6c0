// Read-only access to the machine's registry, where installed Java runtimes describe themselves.
#pragma once

#include "text/text_buffer.h"

// Opens 'keyPath' below the machine root for reading, queries the string value 'valueName'
// into a 260-byte buffer and closes the key. False when the key or value is missing or does
// not fit. A platform without a registry always answers false.
bool readMachineRegistryString(const char* keyPath, const char* valueName, TextBuffer& value);

// Where the runtime library lies below a registered Java home that names no library itself,
// most likely first; null ends the list.
extern const char* const registeredHomeLibraries[];
