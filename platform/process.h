// What the launcher needs to know about its own process: its file, its start folder, its
// environment, and the locale its texts follow.
#pragma once

#include "text/text_buffer.h"

// The path limit the launcher works within, terminator included.
const int32_t pathBufferSize = 260;

// Run once, first thing in the process entry: puts the C library in the user's locale where
// the platform needs that for code-page conversion.
void initialiseProcessLocale();

// The running executable's full path; empty when it does not fit in pathBufferSize.
TextBuffer executableFilePath();

// The current folder; empty when it does not fit in pathBufferSize.
TextBuffer currentDirectory();

// Looks a variable up, names compared without regard to case. False when it is not defined;
// a defined variable may have an empty value.
bool readEnvironment(const char* name, TextBuffer& value);
