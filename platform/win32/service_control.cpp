// The service manager on Windows: the service control manager's registrations, dispatcher and controls.
#include "platform/service_control.h"

#include <process.h>

#include "platform/win32/windows_api.h"
#include "text/text_buffer.h"

namespace {

static_assert(sizeof(ServiceStatus) == sizeof(SERVICE_STATUS), "the status travels as the manager's own record");

ServiceMainFunction theServiceMain = nullptr;
ServiceControlFunction theControl = nullptr;

// The manager calls with the system's calling convention; the launcher's functions use the C one.
void WINAPI serviceMainEntry(DWORD count, LPSTR* args)
{
    theServiceMain(static_cast<int>(count), args);
}

void WINAPI controlEntry(DWORD control)
{
    theControl(control);
}

void setDescription(SC_HANDLE service, const char* description)
{
    HMODULE advapi = LoadLibraryA("advapi32.dll");
    if (advapi == nullptr)
        return;
    typedef BOOL(WINAPI * ChangeConfig2)(SC_HANDLE, DWORD, LPVOID);
    ChangeConfig2 change = reinterpret_cast<ChangeConfig2>(
        reinterpret_cast<void*>(GetProcAddress(advapi, "ChangeServiceConfig2A")));
    if (change != nullptr) {
        SERVICE_DESCRIPTIONA record;
        record.lpDescription = const_cast<char*>(description);
        change(service, SERVICE_CONFIG_DESCRIPTION, &record);
    }
    FreeLibrary(advapi);
}

DWORD accessFor(ServiceRequest request)
{
    switch (request) {
    case RequestStart: return SERVICE_START | SERVICE_QUERY_STATUS;
    case RequestPause:
    case RequestContinue: return SERVICE_PAUSE_CONTINUE | SERVICE_QUERY_STATUS;
    case RequestStop: return SERVICE_STOP | SERVICE_QUERY_STATUS;
    case RequestStatus: return SERVICE_QUERY_STATUS;
    }
    return SERVICE_QUERY_STATUS;
}

DWORD controlFor(ServiceRequest request)
{
    switch (request) {
    case RequestPause: return SERVICE_CONTROL_PAUSE;
    case RequestContinue: return SERVICE_CONTROL_CONTINUE;
    default: return SERVICE_CONTROL_STOP;
    }
}

// The errors that mean the service is there but not in a state to take the request.
bool notAccepted(DWORD error)
{
    return error == ERROR_INVALID_SERVICE_CONTROL || error == ERROR_SERVICE_CANNOT_ACCEPT_CTRL ||
           error == ERROR_SERVICE_NOT_ACTIVE || error == ERROR_SERVICE_ALREADY_RUNNING;
}

ServiceRequestOutcome failureOutcome()
{
    return notAccepted(GetLastError()) ? RequestNotAccepted : RequestFailed;
}

// A start is reported as pending until the service main has reported in; wait a little for that.
bool queryAfterStart(SC_HANDLE service, SERVICE_STATUS& status)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (!QueryServiceStatus(service, &status))
            return false;
        if (status.dwCurrentState != SERVICE_START_PENDING)
            return true;
        Sleep(100);
    }
    return true;
}

void detachedEntry(void* procedure)
{
    reinterpret_cast<void (*)()>(procedure)();
}

} // namespace

RegistrationOutcome registerService(const ServiceRegistration& registration)
{
    OSVERSIONINFOA version;
    ZeroMemory(&version, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version) || version.dwPlatformId != VER_PLATFORM_WIN32_NT)
        return RegistrationUnsupported;
    ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CREATE_SERVICE));
    if (!manager.valid())
        return RegistrationFailed;
    // Quoted, so that a path with spaces cannot be read as a shorter program plus arguments.
    TextBuffer binaryPath("\"");
    if (!binaryPath.Append(TextView(registration.executable)) || !binaryPath.Append(TextView("\"")))
        return RegistrationFailed;
    ServiceHandle service(CreateServiceA(manager.get(), registration.name, registration.displayName,
                                         SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
                                         registration.automatic ? SERVICE_AUTO_START : SERVICE_DEMAND_START,
                                         SERVICE_ERROR_IGNORE, binaryPath.CStr(), nullptr, nullptr,
                                         registration.dependencies, nullptr, nullptr));
    if (!service.valid())
        return RegistrationFailed;
    if (version.dwMajorVersion >= 5)
        setDescription(service.get(), registration.description);
    return Registered;
}

bool unregisterService(const char* name)
{
    ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CREATE_SERVICE));
    if (!manager.valid())
        return false;
    ServiceHandle service(OpenServiceA(manager.get(), name, SERVICE_ALL_ACCESS));
    return service.valid() && DeleteService(service.get());
}

bool runServiceControlDispatcher(const char* name, ServiceMainFunction serviceMain, ServiceControlFunction control)
{
    theServiceMain = serviceMain;
    theControl = control;
    SERVICE_TABLE_ENTRYA table[2];
    table[0].lpServiceName = const_cast<char*>(name);
    table[0].lpServiceProc = serviceMainEntry;
    table[1].lpServiceName = nullptr;
    table[1].lpServiceProc = nullptr;
    return StartServiceCtrlDispatcherA(table) != FALSE;
}

ServiceStatusHandle registerServiceControlHandler(const char* name, ServiceControlFunction control)
{
    theControl = control;
    return reinterpret_cast<ServiceStatusHandle>(RegisterServiceCtrlHandlerA(name, controlEntry));
}

void reportServiceStatus(ServiceStatusHandle handle, const ServiceStatus& status)
{
    if (handle == nullptr)
        return;
    SERVICE_STATUS record;
    record.dwServiceType = status.serviceType;
    record.dwCurrentState = status.currentState;
    record.dwControlsAccepted = status.controlsAccepted;
    record.dwWin32ExitCode = status.win32ExitCode;
    record.dwServiceSpecificExitCode = status.serviceSpecificExitCode;
    record.dwCheckPoint = status.checkPoint;
    record.dwWaitHint = status.waitHint;
    SetServiceStatus(reinterpret_cast<SERVICE_STATUS_HANDLE>(handle), &record);
}

bool startDetachedThread(void (*procedure)())
{
    return _beginthread(detachedEntry, 0, reinterpret_cast<void*>(procedure)) != static_cast<uintptr_t>(-1);
}

void yieldToOtherThreads()
{
    Sleep(0);
}

const char* serviceVmOption()
{
    return nullptr;
}

bool executableLoadsAsLibrary()
{
    return true;
}

ServiceRequestOutcome requestService(const char* name, ServiceRequest request, int count, char** args,
                                     uint32_t& state)
{
    ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager.valid())
        return RequestFailed;
    ServiceHandle service(OpenServiceA(manager.get(), name, accessFor(request)));
    if (!service.valid())
        return GetLastError() == ERROR_SERVICE_DOES_NOT_EXIST ? RequestNotInstalled : RequestFailed;
    SERVICE_STATUS status;
    ZeroMemory(&status, sizeof status);
    switch (request) {
    case RequestStart:
        if (!StartServiceA(service.get(), static_cast<DWORD>(count), const_cast<const char**>(args)))
            return failureOutcome();
        if (!queryAfterStart(service.get(), status))
            return RequestFailed;
        break;
    case RequestPause:
    case RequestContinue:
    case RequestStop:
        if (!ControlService(service.get(), controlFor(request), &status))
            return failureOutcome();
        break;
    case RequestStatus:
        if (!QueryServiceStatus(service.get(), &status))
            return RequestFailed;
        break;
    }
    state = status.dwCurrentState;
    return RequestDone;
}
