// The two natives of com.plovatek.wyr.ServiceStatusManager, exported by the executable itself.
#include <atomic>

#include "service/service_runtime.h"

extern "C" JNIEXPORT void JNICALL Java_com_plovatek_wyr_ServiceStatusManager_nativeSetServiceStatus(JNIEnv*, jclass,
                                                                                                 jint status)
{
    if (!theCanPause)
        return;
    if (status != static_cast<jint>(ServicePaused) && status != static_cast<jint>(ServiceRunning))
        return;
    theServiceStatus.currentState = static_cast<uint32_t>(status);
    reportServiceStatus(theStatusHandle, theServiceStatus);
}

extern "C" JNIEXPORT void JNICALL Java_com_plovatek_wyr_ServiceStatusManager_nativeSetServiceStatusHandler(
    JNIEnv* env, jclass, jobject handler)
{
    if (theHandlerRef != nullptr) {
        jobject previous = theHandlerRef;
        theHandlerRef = nullptr;
        env->DeleteGlobalRef(previous);
    }
    if (handler != nullptr) {
        jclass handlerClass = env->GetObjectClass(handler);
        if (handlerClass != nullptr) {
            jmethodID canPause = env->GetMethodID(handlerClass, "canPause", "()Z");
            theCanPause = canPause != nullptr && env->CallBooleanMethod(handler, canPause) == JNI_TRUE;
            if (env->ExceptionCheck()) {
                // canPause threw: the registration stays undone and the exception reaches the caller.
                theCanPause = false;
            } else {
                theOnPauseMethod = env->GetMethodID(handlerClass, "onPause", "()Z");
                theOnContinueMethod = env->GetMethodID(handlerClass, "onContinue", "()Z");
                theOnStopMethod = env->GetMethodID(handlerClass, "onStop", "()Z");
                // The control handler reads the method ids only after it has seen the reference.
                std::atomic_thread_fence(std::memory_order_release);
                theHandlerRef = env->NewGlobalRef(handler);
            }
        }
    }
    if (handler != nullptr && theCanPause)
        theServiceStatus.controlsAccepted |= ServiceAcceptPauseContinue;
    else
        theServiceStatus.controlsAccepted &= ~static_cast<uint32_t>(ServiceAcceptPauseContinue);
    reportServiceStatus(theStatusHandle, theServiceStatus);
}
