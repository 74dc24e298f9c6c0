// Registering the executable as a service and removing the registration.
#pragma once

#include "platform/service_control.h"
#include "text/text_buffer.h"

// The running executable's module file name.
TextBuffer executablePath();

// 0 on success, else the id of the message that describes the failure (272 or 274).
int installService(const char* executable, const char* name, const char* displayName,
                   const char* description, const char* dependencies, bool automatic);
// 0 on success, else 276.
int uninstallService(const char* executable, const char* name);

// Sends 'request' to the installed service ('count' start parameters with a start) and returns
// the message that tells the outcome; 'failed' is set when the request was not carried out.
int requestInstalledService(const char* name, ServiceRequest request, int count, char** args, bool& failed);
