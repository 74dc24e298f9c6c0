// Finding the Java runtime library: the configured search order and the probes it runs.
#pragma once

#include "text/text_buffer.h"

// The runtime library that the first strategy of jre_order accepts ("csie" when the order
// names none), or an empty text. Reads the settings through theLaunchConfig.
TextBuffer findJvmLibrary();

// The library that the vendor key 'keyPath' below the machine root registers for its current
// version, when it exists; else an empty text.
TextBuffer probeRegistry(TextBuffer keyPath);

// The first runtime library found in the folders below JRE_HOME, then JAVA_HOME, one level of
// subfolders deep; else an empty text.
TextBuffer probeJavaHomes();
