// The service manager as the launcher sees it: registrations, a service's own connection, requests to a service.
#pragma once

#include <stdint.h>

// A service's reported status, field for field the record the Windows service manager keeps.
struct ServiceStatus {
    uint32_t serviceType;
    uint32_t currentState;
    uint32_t controlsAccepted;
    uint32_t win32ExitCode;
    uint32_t serviceSpecificExitCode;
    uint32_t checkPoint;
    uint32_t waitHint;
};

// The values are the Windows service manager's, on every platform.
enum : uint32_t { ServiceOwnProcess = 0x10 };
enum : uint32_t {
    ServiceStopped = 1,
    ServiceStartPending = 2,
    ServiceStopPending = 3,
    ServiceRunning = 4,
    ServiceContinuePending = 5,
    ServicePausePending = 6,
    ServicePaused = 7,
};
enum : uint32_t { ServiceAcceptStop = 1, ServiceAcceptPauseContinue = 2 };
enum : uint32_t {
    ServiceControlStop = 1,
    ServiceControlPause = 2,
    ServiceControlContinue = 3,
    ServiceControlInterrogate = 4,
    ServiceControlShutdown = 5,
};
// The exit code that says the service's own code in serviceSpecificExitCode tells why it stopped.
const uint32_t ServiceSpecificError = 1066;

// ---- Registration ----

struct ServiceRegistration {
    const char* executable;
    const char* name;
    const char* displayName;
    const char* description;
    // Zero-terminated names followed by an empty one.
    const char* dependencies;
    bool automatic;
};

enum RegistrationOutcome { Registered, RegistrationUnsupported, RegistrationFailed };

// Registers the executable, by its quoted path and without arguments, as a service that
// runs in its own process. An existing registration of the name is left as it is: failure.
RegistrationOutcome registerService(const ServiceRegistration& registration);
// Removes the registration of 'name'; false when there is none or it cannot be removed.
bool unregisterService(const char* name);

// ---- The service's own connection, in the process the service manager started ----

typedef void (*ServiceMainFunction)(int count, char** args);
typedef void (*ServiceControlFunction)(uint32_t control);
typedef void* ServiceStatusHandle;

// Hands the calling thread to the service manager: 'serviceMain' runs on a thread of its own
// and every control reaches 'control' on the calling thread. Returns once the service has
// stopped, or false at once when the service manager did not start this process.
bool runServiceControlDispatcher(const char* name, ServiceMainFunction serviceMain, ServiceControlFunction control);
// Called first in the service main; null when the connection cannot be had.
ServiceStatusHandle registerServiceControlHandler(const char* name, ServiceControlFunction control);
void reportServiceStatus(ServiceStatusHandle handle, const ServiceStatus& status);

// Starts 'procedure' on a new thread that nobody waits for; false when none could be started.
bool startDetachedThread(void (*procedure)());
// Lets other threads run before the caller goes on.
void yieldToOtherThreads();

// A VM option service mode needs so that the Java runtime leaves the service's signals to the
// launcher, or null where there is none.
const char* serviceVmOption();
// True where the Java runtime can load the running executable as the bridge's native library;
// elsewhere the launcher binds the natives itself.
bool executableLoadsAsLibrary();

// ---- Requests to an installed service, from a console ----

enum ServiceRequest { RequestStart, RequestPause, RequestContinue, RequestStop, RequestStatus };
enum ServiceRequestOutcome { RequestDone, RequestNotInstalled, RequestNotAccepted, RequestFailed };

// Sends the request ('count' start parameters with RequestStart) and, when it was carried
// out, leaves the service's state (a Service... state value) in 'state'.
ServiceRequestOutcome requestService(const char* name, ServiceRequest request, int count, char** args,
                                     uint32_t& state);
