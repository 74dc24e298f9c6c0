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

    bool addOption(const char* text);
    // 0 on success, else the LaunchError: 1 not loadable, 2 no JNI_CreateJavaVM, 4 creation failed.
    int createVm(const char* jvmPath);
    // Detaches, destroys the VM (waiting for the program's non-daemon threads), unloads.
    void release();
    // The runtime's Java version into 'out'; false when it could not be asked for.
    bool queryVmVersion(TextBuffer& out);

    TextList options;
    RuntimeLibrary library;
    JavaVM* vm = nullptr;
    JNIEnv* env = nullptr;
    // Set when an exception escaped the Java main method, so the process can fail as java does.
    bool mainThrew = false;
};

extern JvmHost* theJvmHost;
