// The service's life cycle: dispatcher, service main, control handler, the exit after a stop.
#include "service/service_runtime.h"

#include <string.h>

#include <atomic>

#include "launcher/messages.h"
#include "vm/jvm_host.h"
#include "vm/launch_sequence.h"
#include "vm/main_class.h"

ServiceStatus theServiceStatus = {ServiceOwnProcess, ServiceRunning, ServiceAcceptStop, 0, 0, 0, 0};
ServiceStatusHandle theStatusHandle = nullptr;
jobject theHandlerRef = nullptr;
bool theCanPause = false;
jmethodID theOnPauseMethod = nullptr;
jmethodID theOnContinueMethod = nullptr;
jmethodID theOnStopMethod = nullptr;
bool theStopRequested = false;

namespace {

// The VM the exit thread ends, taken when the stop arrived: the entry may clear theJvmHost
// once the service manager has seen the service stop.
JavaVM* theExitVm = nullptr;

void reportStatus()
{
    reportServiceStatus(theStatusHandle, theServiceStatus);
}

JavaVM* currentVm()
{
    return theJvmHost != nullptr ? theJvmHost->vm : nullptr;
}

// The state after a pause or continue: 'target' unless the handler's method answered false.
// Without a VM, a handler or its method there is nobody to ask, and the request stands.
uint32_t askHandler(const jmethodID& methodSlot, uint32_t target)
{
    jobject handler = theHandlerRef;
    // The natives write the method ids before they publish the reference.
    std::atomic_thread_fence(std::memory_order_acquire);
    jmethodID method = methodSlot;
    JavaVM* vm = currentVm();
    if (handler == nullptr || method == nullptr || vm == nullptr)
        return target;
    JNIEnv* env = nullptr;
    if (vm->AttachCurrentThread(reinterpret_cast<void**>(&env), nullptr) != JNI_OK)
        return target;
    uint32_t state = theServiceStatus.currentState;
    if (env != nullptr && env->CallBooleanMethod(handler, method) != JNI_FALSE)
        state = target;
    vm->DetachCurrentThread();
    return state;
}

void stopProgram()
{
    JavaVM* vm = currentVm();
    if (vm == nullptr) {
        // Before the VM exists: markRunAsService ends the program as soon as it could start.
        theStopRequested = true;
        return;
    }
    JNIEnv* env = nullptr;
    if (vm->AttachCurrentThread(reinterpret_cast<void**>(&env), nullptr) != JNI_OK)
        return;
    jobject handler = theHandlerRef;
    std::atomic_thread_fence(std::memory_order_acquire);
    if (handler != nullptr && theOnStopMethod != nullptr)
        env->CallBooleanMethod(handler, theOnStopMethod);
    theExitVm = vm;
    startDetachedThread(serviceExitThread);
    vm->DetachCurrentThread();
}

bool bindNatives(JNIEnv* env, jclass manager)
{
    if (executableLoadsAsLibrary())
        return true;
    JNINativeMethod methods[] = {
        {const_cast<char*>("nativeSetServiceStatus"), const_cast<char*>("(I)V"),
         reinterpret_cast<void*>(Java_com_plovatek_wyr_ServiceStatusManager_nativeSetServiceStatus)},
        {const_cast<char*>("nativeSetServiceStatusHandler"),
         const_cast<char*>("(Lcom/plovatek/wyr/ServiceStatusHandler;)V"),
         reinterpret_cast<void*>(Java_com_plovatek_wyr_ServiceStatusManager_nativeSetServiceStatusHandler)},
    };
    return env->RegisterNatives(manager, methods, 2) == JNI_OK;
}

} // namespace

void runServiceDispatcher()
{
    // The dispatcher table keeps the name for the whole service life: a fixed field here.
    char name[256];
    TextBuffer text = serviceName();
    int32_t length = text.length < 255 ? text.length : 255;
    memcpy(name, text.CStr(), static_cast<size_t>(length));
    name[length] = 0;
    runServiceControlDispatcher(name, serviceMain, serviceControlHandler);
}

void serviceMain(int count, char** args)
{
    {
        TextBuffer name = serviceName();
        theStatusHandle = registerServiceControlHandler(name.CStr(), serviceControlHandler);
    }
    theServiceStatus.currentState = ServiceRunning;
    reportStatus();
    const char* option = serviceVmOption();
    if (option != nullptr)
        theJvmHost->addOption(option);
    // The first argument is the service's name; the start parameters follow it.
    LaunchError outcome = runLaunchSequence(count > 0 ? count - 1 : 0, count > 0 ? args + 1 : args, markRunAsService);
    theJvmHost->release();
    if (outcome != LaunchOk) {
        // The service manager and its recovery actions learn that, and why, the launch failed.
        theServiceStatus.win32ExitCode = ServiceSpecificError;
        theServiceStatus.serviceSpecificExitCode = static_cast<uint32_t>(outcome);
    }
    theServiceStatus.currentState = ServiceStopped;
    reportStatus();
}

void serviceControlHandler(uint32_t control)
{
    switch (control) {
    case ServiceControlStop:
    case ServiceControlShutdown:
        stopProgram();
        theServiceStatus.currentState = ServiceStopped;
        break;
    case ServiceControlPause:
        theServiceStatus.currentState = askHandler(theOnPauseMethod, ServicePaused);
        break;
    case ServiceControlContinue:
        theServiceStatus.currentState = askHandler(theOnContinueMethod, ServiceRunning);
        break;
    default:
        break;
    }
    reportStatus();
}

bool markRunAsService()
{
    JNIEnv* env = theJvmHost->env;
    if (theStopRequested) {
        callSystemExit(env, 0);
        return clearPendingException(env, false);
    }
    jclass manager = env->FindClass("com/plovatek/wyr/ServiceStatusManager");
    if (manager != nullptr) {
        // Without bound natives the program would fail on its first call; it then learns
        // nothing of the service, as when the bridge is missing.
        if (bindNatives(env, manager)) {
            jfieldID field = env->GetStaticFieldID(manager, "isRunAsService", "Z");
            if (field != nullptr)
                env->SetStaticBooleanField(manager, field, JNI_TRUE);
        }
        env->DeleteLocalRef(manager);
    }
    return clearPendingException(env, false);
}

void serviceExitThread()
{
    yieldToOtherThreads();
    JavaVM* vm = theExitVm;
    JNIEnv* env = nullptr;
    if (vm == nullptr || vm->AttachCurrentThread(reinterpret_cast<void**>(&env), nullptr) != JNI_OK)
        return;
    callSystemExit(env, 0);
    clearPendingException(env, false);
    vm->DetachCurrentThread();
}
