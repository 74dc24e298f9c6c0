// How this platform spells paths and names the files the launcher looks for.
#pragma once

#include "text/text_buffer.h"

// The character that ends a folder in ExeDirectory and StartDirectory.
extern const char folderSeparator;
// Joins class path entries and the CLASSPATH and CLASS_PATH values.
extern const char classPathSeparator;
// The Java runtime library that discovery looks for.
extern const char* const runtimeLibraryName;
// Folders below a Java home that may hold the runtime library, each ending in a separator,
// the home itself ("") first; null ends the list.
extern const char* const javaHomeFolders[];

bool isFolderSeparator(char c);

// True for a path that is not to be joined to a folder.
bool isAbsolutePath(const char* path);

// Writes into 'name' the settings file name that goes with the executable 'exePath' for
// 'suffix' (".cfg" or ".config"). False when that name does not fit the path limit.
bool settingsFileName(const TextBuffer& exePath, const char* suffix, TextBuffer& name);
