/* The benchmark's floor: a host that only loads libjvm, creates the VM and calls main. */
#include <dlfcn.h>
#include <jni.h>
#include <stdio.h>
#include <string.h>

typedef jint (*CreateJavaVm)(JavaVM**, void**, void*);

int main(int argc, char** argv)
{
    if (argc < 4) {
        fprintf(stderr, "usage: %s LIBJVM CLASSPATH MAINCLASS [ARGS...]\n", argv[0]);
        return 2;
    }
    void* library = dlopen(argv[1], RTLD_NOW | RTLD_GLOBAL);
    CreateJavaVm create = library == NULL ? NULL : (CreateJavaVm)dlsym(library, "JNI_CreateJavaVM");
    if (create == NULL) {
        fprintf(stderr, "cannot use %s\n", argv[1]);
        return 2;
    }
    char classPath[4096];
    snprintf(classPath, sizeof classPath, "-Djava.class.path=%s", argv[2]);
    JavaVMOption option = {classPath, NULL};
    JavaVMInitArgs arguments = {JNI_VERSION_1_2, 1, &option, JNI_TRUE};
    JavaVM* vm;
    JNIEnv* env;
    if (create(&vm, (void**)&env, &arguments) != JNI_OK)
        return 4;
    char name[512];
    snprintf(name, sizeof name, "%s", argv[3]);
    for (char* c = name; *c != 0; ++c)
        if (*c == '.')
            *c = '/';
    jclass mainClass = (*env)->FindClass(env, name);
    jmethodID mainMethod = mainClass == NULL ? NULL
                                             : (*env)->GetStaticMethodID(env, mainClass, "main", "([Ljava/lang/String;)V");
    if (mainMethod == NULL) {
        (*env)->ExceptionDescribe(env);
        return 7;
    }
    jclass stringClass = (*env)->FindClass(env, "java/lang/String");
    jobjectArray array = (*env)->NewObjectArray(env, argc - 4, stringClass, NULL);
    for (int i = 4; i < argc; ++i)
        (*env)->SetObjectArrayElement(env, array, i - 4, (*env)->NewStringUTF(env, argv[i]));
    (*env)->CallStaticVoidMethod(env, mainClass, mainMethod, array);
    int status = (*env)->ExceptionOccurred(env) != NULL ? 1 : 0;
    if (status != 0)
        (*env)->ExceptionDescribe(env);
    (*vm)->DetachCurrentThread(vm);
    (*vm)->DestroyJavaVM(vm);
    return status;
}
