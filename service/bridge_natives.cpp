// The two natives of com.plovatek.wyr.ServiceStatusManager, exported by the executable itself.
#include <jni.h>

extern "C" JNIEXPORT void JNICALL Java_com_plovatek_wyr_ServiceStatusManager_nativeSetServiceStatus(JNIEnv*, jclass, jint)
{
}

extern "C" JNIEXPORT void JNICALL Java_com_plovatek_wyr_ServiceStatusManager_nativeSetServiceStatusHandler(JNIEnv*, jclass,
                                                                                                        jobject)
{
}
