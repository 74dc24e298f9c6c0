// Calling into Java on the launch path: the main class, pending exceptions, System.exit.
#pragma once

#include <jni.h>

#include "vm/jvm_host.h"

// The class named in dotted or slash form through the host's env; null (the VM's reason
// printed) when it is absent or no VM exists.
jclass findJavaClass(JvmHost& host, const char* className);

// Finds the class and its static main(String[]), then calls it on this thread with the
// arguments converted from the ANSI code page. 0 once main was called (an exception that
// escaped it is printed and sets host.mainThrew), 7 no such class, 8 no such method.
int runMainClass(JvmHost& host, const char* mainClass, int argc, char** argv);

// False when no exception is pending; otherwise prints it when asked, clears it, true.
bool clearPendingException(JNIEnv* env, bool describe);

// java.lang.System.exit(status) through 'env', which must belong to the calling thread.
void callSystemExit(JNIEnv* env, int status);

// Deletes a local reference when it goes out of scope.
class LocalRef {
public:
    LocalRef(JNIEnv* env, jobject object) : env(env), object(object) {}
    LocalRef(const LocalRef&) = delete;
    LocalRef& operator=(const LocalRef&) = delete;
    ~LocalRef()
    {
        if (object != nullptr)
            env->DeleteLocalRef(object);
    }

private:
    JNIEnv* env;
    jobject object;
};
