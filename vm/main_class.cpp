// Finds the configured main class and runs its main method with the launch arguments.
#include "vm/main_class.h"

#include "vm/launch_sequence.h"

bool clearPendingException(JNIEnv* env, bool describe)
{
    if (env == nullptr)
        return false;
    jthrowable pending = env->ExceptionOccurred();
    if (pending == nullptr)
        return false;
    if (describe)
        env->ExceptionDescribe();
    env->ExceptionClear();
    env->DeleteLocalRef(pending);
    return true;
}

jclass findJavaClass(JvmHost& host, const char* className)
{
    if (host.env == nullptr)
        return nullptr;
    TextBuffer name(className);
    for (int32_t i = 0; i < name.length; ++i)
        if (name.chars[i] == '.')
            name.chars[i] = '/';
    jclass found = host.env->FindClass(name.CStr());
    if (found == nullptr)
        clearPendingException(host.env, true);
    return found;
}

namespace {

// The launch arguments as a Java String[]; null, with the reason pending, when the VM
// cannot provide it.
jobjectArray makeArgumentArray(JNIEnv* env, int argc, char** argv)
{
    jclass stringClass = env->FindClass("java/lang/String");
    if (stringClass == nullptr)
        return nullptr;
    LocalRef stringClassRef(env, stringClass);
    jobjectArray array = env->NewObjectArray(argc, stringClass, nullptr);
    if (array == nullptr)
        return nullptr;
    for (int i = 0; i < argc; ++i) {
        WideTextBuffer wide;
        wide.AssignFromNarrow(argv[i], -1);
        jsize count = 0;
        while (count < wide.length && wide.chars[count] != 0)
            ++count;
        jstring text = env->NewString(reinterpret_cast<const jchar*>(wide.chars), count);
        if (text == nullptr) {
            env->DeleteLocalRef(array);
            return nullptr;
        }
        env->SetObjectArrayElement(array, i, text);
        env->DeleteLocalRef(text);
    }
    return array;
}

} // namespace

int runMainClass(JvmHost& host, const char* mainClass, int argc, char** argv)
{
    jclass mainType = findJavaClass(host, mainClass);
    if (mainType == nullptr)
        return MainClassNotFound;
    JNIEnv* env = host.env;
    LocalRef mainTypeRef(env, mainType);
    jmethodID mainMethod = env->GetStaticMethodID(mainType, "main", "([Ljava/lang/String;)V");
    if (mainMethod == nullptr) {
        clearPendingException(env, true);
        return MainMethodMissing;
    }
    jobjectArray arguments = makeArgumentArray(env, argc < 0 ? 0 : argc, argv);
    if (arguments == nullptr) {
        // The program cannot start without its arguments: fail the way an escaping exception does.
        clearPendingException(env, true);
        host.mainThrew = true;
        return LaunchOk;
    }
    LocalRef argumentsRef(env, arguments);
    env->CallStaticVoidMethod(mainType, mainMethod, arguments);
    if (clearPendingException(env, true))
        host.mainThrew = true;
    return LaunchOk;
}

void callSystemExit(JNIEnv* env, int status)
{
    jclass system = env->FindClass("java/lang/System");
    if (system == nullptr) {
        clearPendingException(env, false);
        return;
    }
    LocalRef systemRef(env, system);
    jmethodID exitMethod = env->GetStaticMethodID(system, "exit", "(I)V");
    if (exitMethod == nullptr) {
        clearPendingException(env, false);
        return;
    }
    env->CallStaticVoidMethod(system, exitMethod, static_cast<jint>(status));
    clearPendingException(env, false);
}
