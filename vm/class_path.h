// The class path handed to the VM: the executable first, then configured entries, then the
// CLASSPATH and CLASS_PATH environment values.
#pragma once

#include "text/text_buffer.h"

// Reads the settings through theLaunchConfig; joins the parts with the platform's class
// path separator.
TextBuffer buildClassPath();

// The queryKey callback for classpath lines: 'context' is the TextBuffer being built. Cuts
// 'value' at every ";", skips empty pieces, and appends each other piece expanded and
// resolved, preceded by the class path separator.
void collectClassPathEntries(void* context, const char* value);
