// The process's one Java runtime: the loaded library, the VM, the creating thread's JNIEnv
// and the options gathered before creation.
#pragma once

#include <jni.h>

#include "platform/library.h"
#include "text/text_buffer.h"

class JvmHost {
public:
    JvmHost() = default;
    JvmHost(const JvmHost&) = delete;
    JvmHost& operator=(const JvmHost&) = delete;
    ~JvmHost() { release(); }

    // Copies the text to the end of the option list. A text that cannot be stored is
    // remembered, and the VM is then not created with an incomplete list.
    bool addOption(const char* text);
    // 0 on success, else the LaunchError: 1 not loadable, 2 no JNI_CreateJavaVM, 4 creation
    // failed (also when the options could not all be stored). On 0 and 4 the list is emptied.
    int createVm(const char* jvmPath);
    // Detaches, destroys the VM (waiting for the program's non-daemon threads), unloads.
    void release();
    // The runtime's Java version ("java.version") into 'out'; false when it could not be asked for.
    bool queryVmVersion(TextBuffer& out);

    TextList options;
    // False once an option was lost for want of memory; createVm then fails with 4.
    bool optionsComplete = true;
    RuntimeLibrary library;
    JavaVM* vm = nullptr;
    JNIEnv* env = nullptr;
    // Set when an exception escaped the Java main method, so the process can fail as java does.
    bool mainThrew = false;
};

extern JvmHost* theJvmHost;
