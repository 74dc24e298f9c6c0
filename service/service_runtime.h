// The service's own life: the control dispatcher, the service main and its control handler.
#pragma once

#include <jni.h>

#include "platform/service_control.h"

// Hands the process to the service manager; returns at once when it did not start the process.
void runServiceDispatcher();

// The service main: reports running, runs the launch sequence, reports stopped.
void serviceMain(int count, char** args);
// Turns a control from the service manager into the Java handler's call and a status report.
void serviceControlHandler(uint32_t control);
// The launch sequence's hook: binds the bridge and tells the Java program it runs as a service.
bool markRunAsService();
// Ends the Java program through System.exit(0) after a stop.
void serviceExitThread();

// Shared by the service threads and the bridge natives; each change is followed by a report.
extern ServiceStatus theServiceStatus;
extern ServiceStatusHandle theStatusHandle;
extern jobject theHandlerRef;
extern bool theCanPause;
extern jmethodID theOnPauseMethod;
extern jmethodID theOnContinueMethod;
extern jmethodID theOnStopMethod;
// Set by a stop that came before the VM existed, so that the program ends as soon as it starts.
extern bool theStopRequested;

// The bridge's natives, bound by the launcher itself where the runtime cannot load the executable.
extern "C" {
JNIEXPORT void JNICALL Java_com_plovatek_wyr_ServiceStatusManager_nativeSetServiceStatus(JNIEnv* env, jclass cls,
                                                                                      jint status);
JNIEXPORT void JNICALL Java_com_plovatek_wyr_ServiceStatusManager_nativeSetServiceStatusHandler(JNIEnv* env,
                                                                                             jclass cls,
                                                                                             jobject handler);
}
