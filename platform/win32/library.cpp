// Loads the Java runtime's jvm.dll, retrying with its bin folder on the DLL search path.
#include "platform/library.h"

#include <string.h>

#include "platform/win32/windows_api.h"
#include "text/text_buffer.h"

namespace {

// The folder above the library's own: where runtimes of Java 9 and later keep the C runtime
// DLLs that jvm.dll imports.
TextBuffer runtimeBinFolder(const char* path)
{
    TextBuffer folder(path);
    for (int pass = 0; pass < 2; ++pass) {
        int32_t end = folder.length - 1;
        while (end >= 0 && folder.chars[end] != '\\' && folder.chars[end] != '/')
            --end;
        if (end < 0)
            return TextBuffer();
        folder.SetLength(end);
    }
    return folder;
}

} // namespace

bool RuntimeLibrary::load(const char* path)
{
    unload();
    HMODULE module = LoadLibraryA(path);
    if (module == nullptr && path != nullptr && path[0] != 0) {
        TextBuffer bin = runtimeBinFolder(path);
        if (bin.length > 0 && SetDllDirectoryA(bin.CStr())) {
            module = LoadLibraryA(path);
            SetDllDirectoryA(nullptr);
        }
    }
    handle = module;
    return module != nullptr;
}

void* RuntimeLibrary::symbol(const char* name) const
{
    if (handle == nullptr)
        return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}

void RuntimeLibrary::unload()
{
    if (handle != nullptr)
        FreeLibrary(static_cast<HMODULE>(handle));
    handle = nullptr;
}
