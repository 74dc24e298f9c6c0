// The one road into Java: options, runtime, VM, version check, hook, main class.
#pragma once

// The outcome of a launch; each failure's value is the id of the message that describes it.
enum LaunchError {
    LaunchOk = 0,
    RuntimeNotFound = 1,
    RuntimeNotValid = 2,
    VmInitializeFailed = 3,
    VmStartFailed = 4,
    VmVersionUnavailable = 5,
    VmVersionTooLow = 6,
    MainClassNotFound = 7,
    MainMethodMissing = 8,
};

// Runs on the calling thread once the VM exists and its version passed; the result is ignored.
typedef bool (*BeforeMainHook)();

// Prints the message of any failure and returns the outcome.
LaunchError runLaunchSequence(int count, char** args, BeforeMainHook beforeMainHook);
