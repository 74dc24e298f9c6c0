/* The machine-dependent JNI declarations for the Windows targets (x86_64 and i686). */
#ifndef WYR_JNI_MD_H
#define WYR_JNI_MD_H

/* Exports are named, with their ordinals, by the .def files, not by each declaration. */
#define JNIEXPORT
#define JNIIMPORT __declspec(dllimport)
/* i686 runtimes call natives with stdcall; on x86_64 the attribute is ignored. */
#define JNICALL __stdcall

typedef int jint;
typedef long long jlong;
typedef signed char jbyte;

#endif
