// Loads the Java runtime's libjvm.so with dlopen.
#include "platform/library.h"

#include <dlfcn.h>

bool RuntimeLibrary::load(const char* path)
{
    unload();
    // An empty path would make dlopen hand back the executable itself.
    if (path == nullptr || path[0] == 0)
        return false;
    // HotSpot leaves threads and handlers behind after DestroyJavaVM, so its code must stay
    // mapped when the handle is closed.
    handle = dlopen(path, RTLD_NOW | RTLD_GLOBAL | RTLD_NODELETE);
    return handle != nullptr;
}

void* RuntimeLibrary::symbol(const char* name) const
{
    return handle == nullptr ? nullptr : dlsym(handle, name);
}

void RuntimeLibrary::unload()
{
    if (handle != nullptr)
        dlclose(handle);
    handle = nullptr;
}
