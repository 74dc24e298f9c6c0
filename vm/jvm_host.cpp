// Owns the Java runtime library and the VM created inside the process.
#include "vm/jvm_host.h"

#include <stdlib.h>

#include "platform/handle.h"
#include "vm/launch_sequence.h"
#include "vm/main_class.h"

JvmHost* theJvmHost = nullptr;

namespace {

struct OptionArrayTraits {
    using Type = JavaVMOption*;
    static Type empty() { return nullptr; }
    static void close(Type options) { free(options); }
};
using OptionArray = ScopedHandle<OptionArrayTraits>;

typedef jint(JNICALL* CreateJavaVmEntry)(JavaVM** vm, void** env, void* arguments);

} // namespace

bool JvmHost::addOption(const char* text)
{
    if (options.Add(text))
        return true;
    optionsComplete = false;
    return false;
}

int JvmHost::createVm(const char* jvmPath)
{
    if (!library.load(jvmPath))
        return RuntimeNotFound;
    CreateJavaVmEntry entry = reinterpret_cast<CreateJavaVmEntry>(library.symbol("JNI_CreateJavaVM"));
    if (entry == nullptr)
        return RuntimeNotValid;

    int32_t count = options.Count();
    // calloc checks the size multiplication; one element keeps a zero count from looking like a failure.
    OptionArray array(static_cast<JavaVMOption*>(calloc(count > 0 ? static_cast<size_t>(count) : 1, sizeof(JavaVMOption))));
    jint result = JNI_ENOMEM;
    if (optionsComplete && array.valid()) {
        for (int32_t i = 0; i < count; ++i) {
            array.get()[i].optionString = const_cast<char*>(options.Item(i));
            array.get()[i].extraInfo = nullptr;
        }
        JavaVMInitArgs arguments;
        arguments.version = JNI_VERSION_1_2;
        arguments.nOptions = count;
        arguments.options = array.get();
        arguments.ignoreUnrecognized = JNI_TRUE;
        result = entry(&vm, reinterpret_cast<void**>(&env), &arguments);
    }
    // The VM has copied what it needs; the texts are of no further use.
    options.ReleaseStorage();
    optionsComplete = true;
    if (result != JNI_OK) {
        vm = nullptr;
        env = nullptr;
        return VmStartFailed;
    }
    return LaunchOk;
}

void JvmHost::release()
{
    if (vm != nullptr) {
        vm->DetachCurrentThread();
        vm->DestroyJavaVM();
        vm = nullptr;
    }
    library.unload();
}

bool JvmHost::queryVmVersion(TextBuffer& out)
{
    if (env == nullptr)
        return false;
    jclass system = env->FindClass("java/lang/System");
    if (system == nullptr) {
        clearPendingException(env, false);
        return false;
    }
    LocalRef systemRef(env, system);
    jmethodID getProperty = env->GetStaticMethodID(system, "getProperty", "(Ljava/lang/String;)Ljava/lang/String;");
    if (getProperty == nullptr) {
        clearPendingException(env, false);
        return false;
    }
    // The Java version, not java.vm.version: Java 8's VM calls itself 25.x.
    jstring name = env->NewStringUTF("java.version");
    if (name == nullptr) {
        clearPendingException(env, false);
        return false;
    }
    LocalRef nameRef(env, name);
    jstring value = static_cast<jstring>(env->CallStaticObjectMethod(system, getProperty, name));
    LocalRef valueRef(env, value);
    // A lookup that raised an exception told nothing; reading its absence as 0.0 would be a lie.
    if (clearPendingException(env, false))
        return false;
    if (value == nullptr)
        return true;
    const jchar* units = env->GetStringChars(value, nullptr);
    if (units == nullptr) {
        clearPendingException(env, false);
        return false;
    }
    jsize count = env->GetStringLength(value);
    TextBuffer converted;
    converted.AssignFromWide(reinterpret_cast<const uint16_t*>(units), count);
    env->ReleaseStringChars(value, units);
    out.SetLength(0);
    return out.Append(converted);
}
