// The one way into the Win32 headers: everything Windows-specific includes this, never windows.h.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/handle.h"

struct KernelHandleTraits {
    using Type = HANDLE;
    static Type empty() { return INVALID_HANDLE_VALUE; }
    static void close(Type handle) { CloseHandle(handle); }
};
// CreateFileA's handles, whose empty value is INVALID_HANDLE_VALUE.
using FileHandle = ScopedHandle<KernelHandleTraits>;

struct MappingHandleTraits {
    using Type = HANDLE;
    static Type empty() { return nullptr; }
    static void close(Type handle) { CloseHandle(handle); }
};
// CreateFileMappingA's handles, whose empty value is null.
using MappingHandle = ScopedHandle<MappingHandleTraits>;

struct RegistryKeyTraits {
    using Type = HKEY;
    static Type empty() { return nullptr; }
    static void close(Type key) { RegCloseKey(key); }
};
using RegistryKey = ScopedHandle<RegistryKeyTraits>;

struct ServiceHandleTraits {
    using Type = SC_HANDLE;
    static Type empty() { return nullptr; }
    static void close(Type handle) { CloseServiceHandle(handle); }
};
using ServiceHandle = ScopedHandle<ServiceHandleTraits>;
