// Owns the Java runtime library and the VM created inside the process.
#include "vm/jvm_host.h"

JvmHost* theJvmHost = nullptr;

bool JvmHost::addOption(const char* text)
{
    return options.Add(text);
}

int JvmHost::createVm(const char* jvmPath)
{
    if (!library.load(jvmPath))
        return 1;
    return 2;
}

void JvmHost::release()
{
    library.unload();
}

bool JvmHost::queryVmVersion(TextBuffer&)
{
    return false;
}
