// The launcher's message texts: lookup by id in the string table, formatting, service texts.
#pragma once

#include "text/text_buffer.h"

// Ids of the texts the launcher shows; the launch failures double as LaunchError values.
enum MessageId {
    MessageServiceCanInstallOnNtOnly = 272,
    MessageServiceInstalled = 273,
    MessageServiceInstallFailed = 274,
    MessageServiceUninstalled = 275,
    MessageServiceUninstallFailed = 276,
    // The state of an installed service, in the order of the service manager's state values 1 to 7.
    MessageServiceIsRunning = 277,
    MessageServiceIsPaused = 278,
    MessageServiceIsStopped = 279,
    MessageServiceIsStarting = 280,
    MessageServiceIsStopping = 281,
    MessageServiceIsPausing = 282,
    MessageServiceIsContinuing = 283,
    MessageServiceNotInstalled = 284,
    MessageServiceRequestNotAccepted = 285,
    MessageServiceRequestFailed = 286,
    MessageServiceHint = 1024,
};

// The text of message 'id' in the ANSI code page; empty when its block or entry is missing.
TextBuffer loadMessageText(uint16_t id);

// Clears 'target', then fills it with message 'id'. False when the block is missing.
bool assignMessageText(TextBuffer& target, uint16_t id);

// printf-style formatting into 'target', growing it until the whole result fits.
void formatText(TextBuffer& target, const char* format, ...);

TextBuffer serviceName();
TextBuffer serviceDisplayName();
TextBuffer serviceDescription();
TextBuffer serviceDependencies();
