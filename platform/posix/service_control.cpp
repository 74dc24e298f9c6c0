// The service manager on Linux: systemd unit files, notify datagrams, and signals as controls.
#include "platform/service_control.h"

#include <errno.h>
#include <stddef.h>
#include <fcntl.h>
#include <pthread.h>
#include <sched.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>

#include "platform/handle.h"
#include "text/text_buffer.h"

namespace {

struct DescriptorTraits {
    using Type = int;
    static Type empty() { return -1; }
    static void close(Type descriptor) { ::close(descriptor); }
};
using Descriptor = ScopedHandle<DescriptorTraits>;

const char* const wantsFolderName = "multi-user.target.wants";

TextBuffer unitFolder()
{
    const char* chosen = getenv("WYR_SYSTEMD_DIR");
    return TextBuffer(chosen != nullptr && chosen[0] != 0 ? chosen : "/etc/systemd/system");
}

// A unit name must stay inside the unit folder and be a single path component.
bool usableUnitName(const char* name)
{
    return name != nullptr && name[0] != 0 && name[0] != '.' && strchr(name, '/') == nullptr;
}

TextBuffer unitPath(const char* name)
{
    TextBuffer path = unitFolder();
    path.Append(TextView("/"));
    path.Append(TextView(name));
    path.Append(TextView(".service"));
    return path;
}

TextBuffer wantsFolder()
{
    TextBuffer path = unitFolder();
    path.Append(TextView("/"));
    path.Append(TextView(wantsFolderName));
    return path;
}

TextBuffer wantsLinkPath(const char* name)
{
    TextBuffer path = wantsFolder();
    path.Append(TextView("/"));
    path.Append(TextView(name));
    path.Append(TextView(".service"));
    return path;
}

// A unit setting's value on one line: line breaks and other controls become spaces.
void appendSettingValue(TextBuffer& unit, const char* value)
{
    for (const char* at = value; *at != 0; ++at) {
        char c = static_cast<unsigned char>(*at) < 0x20 ? ' ' : *at;
        unit.Append(&c, 1);
    }
}

// One ExecStart word in double quotes, so that spaces stay inside it; systemd would read
// backslashes and quotes as escapes, '%' as a specifier and '$' as a variable.
void appendQuotedCommand(TextBuffer& unit, const char* path)
{
    unit.Append(TextView("\""));
    for (const char* at = path; *at != 0; ++at) {
        switch (*at) {
        case '\\': unit.Append(TextView("\\\\")); break;
        case '"': unit.Append(TextView("\\\"")); break;
        case '%': unit.Append(TextView("%%")); break;
        case '$': unit.Append(TextView("$$")); break;
        default:
            if (static_cast<unsigned char>(*at) >= 0x20)
                unit.Append(at, 1);
        }
    }
    unit.Append(TextView("\""));
}

// The dependency list as unit names: a name without a suffix is a service.
void appendUnitList(TextBuffer& unit, const char* key, const char* dependencies)
{
    if (dependencies == nullptr || dependencies[0] == 0)
        return;
    unit.Append(TextView(key));
    bool first = true;
    for (const char* name = dependencies; *name != 0; name += strlen(name) + 1) {
        if (!first)
            unit.Append(TextView(" "));
        first = false;
        appendSettingValue(unit, name);
        if (strchr(name, '.') == nullptr)
            unit.Append(TextView(".service"));
    }
    unit.Append(TextView("\n"));
}

TextBuffer unitText(const ServiceRegistration& registration)
{
    TextBuffer unit("[Unit]\nDescription=");
    appendSettingValue(unit, registration.displayName);
    unit.Append(TextView("\n"));
    appendUnitList(unit, "After=", registration.dependencies);
    appendUnitList(unit, "Requires=", registration.dependencies);
    unit.Append(TextView("\n[Service]\nType=notify\nExecStart="));
    appendQuotedCommand(unit, registration.executable);
    unit.Append(TextView("\n\n[Install]\nWantedBy=multi-user.target\n"));
    return unit;
}

bool writeAll(int descriptor, const char* data, size_t length)
{
    while (length > 0) {
        ssize_t written = write(descriptor, data, length);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        length -= static_cast<size_t>(written);
    }
    return true;
}

// ---- Notify datagrams ----

void sendNotification(const char* message)
{
    const char* socketName = getenv("NOTIFY_SOCKET");
    if (socketName == nullptr || (socketName[0] != '/' && socketName[0] != '@'))
        return;
    struct sockaddr_un address;
    memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    size_t nameLength = strlen(socketName);
    if (nameLength >= sizeof address.sun_path)
        return;
    memcpy(address.sun_path, socketName, nameLength);
    // A leading '@' names a socket in the abstract namespace.
    if (address.sun_path[0] == '@')
        address.sun_path[0] = 0;
    Descriptor socketHandle(socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    if (!socketHandle.valid())
        return;
    socklen_t addressLength = static_cast<socklen_t>(offsetof(struct sockaddr_un, sun_path) + nameLength);
    sendto(socketHandle.get(), message, strlen(message), MSG_NOSIGNAL,
           reinterpret_cast<struct sockaddr*>(&address), addressLength);
}

// ---- The dispatcher: signals in, controls out ----

struct DispatcherState {
    const char* name;
    ServiceMainFunction serviceMain;
    pthread_t controlThread;
    volatile sig_atomic_t serviceEnded;
};
DispatcherState theDispatcher;
// The controls the service last said it accepts: pause and continue reach it only while it
// accepts them, as the Windows service manager has it.
std::atomic<uint32_t> theAcceptedControls(ServiceAcceptStop);

// The signal the service thread sends the control thread when the service main has returned.
int serviceEndedSignal()
{
    return SIGRTMIN;
}

void controlSignals(sigset_t& signals)
{
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTSTP);
    sigaddset(&signals, SIGCONT);
    sigaddset(&signals, serviceEndedSignal());
}

void* serviceThread(void*)
{
    char* args[] = {const_cast<char*>(theDispatcher.name), nullptr};
    theDispatcher.serviceMain(1, args);
    theDispatcher.serviceEnded = 1;
    pthread_kill(theDispatcher.controlThread, serviceEndedSignal());
    return nullptr;
}

uint32_t controlForSignal(int signalNumber)
{
    switch (signalNumber) {
    case SIGTERM:
    case SIGINT: return ServiceControlStop;
    case SIGTSTP: return ServiceControlPause;
    case SIGCONT: return ServiceControlContinue;
    default: return 0;
    }
}

struct ThreadStart {
    void (*procedure)();
};

void* detachedThread(void* start)
{
    ThreadStart* owned = static_cast<ThreadStart*>(start);
    void (*procedure)() = owned->procedure;
    free(owned);
    procedure();
    return nullptr;
}

} // namespace

RegistrationOutcome registerService(const ServiceRegistration& registration)
{
    if (!usableUnitName(registration.name) || registration.executable == nullptr || registration.executable[0] == 0)
        return RegistrationFailed;
    TextBuffer path = unitPath(registration.name);
    TextBuffer unit = unitText(registration);
    {
        // O_EXCL: an existing unit is someone's registration and stays untouched.
        Descriptor file(open(path.CStr(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
        if (!file.valid())
            return RegistrationFailed;
        bool written = writeAll(file.get(), unit.chars, static_cast<size_t>(unit.length));
        if (close(file.take()) != 0 || !written) {
            unlink(path.CStr());
            return RegistrationFailed;
        }
    }
    if (registration.automatic) {
        TextBuffer folder = wantsFolder();
        TextBuffer link = wantsLinkPath(registration.name);
        if ((mkdir(folder.CStr(), 0755) != 0 && errno != EEXIST) || symlink(path.CStr(), link.CStr()) != 0) {
            unlink(path.CStr());
            return RegistrationFailed;
        }
    }
    return Registered;
}

bool unregisterService(const char* name)
{
    if (!usableUnitName(name))
        return false;
    TextBuffer path = unitPath(name);
    struct stat status;
    if (lstat(path.CStr(), &status) != 0)
        return false;
    TextBuffer link = wantsLinkPath(name);
    unlink(link.CStr());
    return unlink(path.CStr()) == 0;
}

bool runServiceControlDispatcher(const char* name, ServiceMainFunction serviceMain, ServiceControlFunction control)
{
    const char* socketName = getenv("NOTIFY_SOCKET");
    if (socketName == nullptr || socketName[0] == 0)
        return false;
    // Blocked before any other thread exists, so that every thread, the Java runtime's too,
    // inherits the mask and the signals can only be taken here.
    sigset_t signals;
    sigset_t previous;
    controlSignals(signals);
    if (pthread_sigmask(SIG_BLOCK, &signals, &previous) != 0)
        return false;
    theDispatcher.name = name;
    theDispatcher.serviceMain = serviceMain;
    theDispatcher.controlThread = pthread_self();
    theDispatcher.serviceEnded = 0;
    pthread_t service;
    if (pthread_create(&service, nullptr, serviceThread, nullptr) != 0) {
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
        return false;
    }
    while (!theDispatcher.serviceEnded) {
        int received = 0;
        if (sigwait(&signals, &received) != 0)
            continue;
        uint32_t code = controlForSignal(received);
        bool pauseOrContinue = code == ServiceControlPause || code == ServiceControlContinue;
        if (code != 0 && (!pauseOrContinue || (theAcceptedControls.load() & ServiceAcceptPauseContinue) != 0))
            control(code);
    }
    pthread_join(service, nullptr);
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return true;
}

ServiceStatusHandle registerServiceControlHandler(const char*, ServiceControlFunction)
{
    // The dispatcher already routes the signals; the handle only has to be distinct from null.
    return &theDispatcher;
}

void reportServiceStatus(ServiceStatusHandle handle, const ServiceStatus& status)
{
    if (handle == nullptr)
        return;
    theAcceptedControls.store(status.controlsAccepted);
    char message[96];
    switch (status.currentState) {
    case ServiceRunning: snprintf(message, sizeof message, "READY=1\nSTATUS=running"); break;
    case ServicePaused: snprintf(message, sizeof message, "STATUS=paused"); break;
    case ServiceStopped:
        if (status.win32ExitCode == ServiceSpecificError)
            snprintf(message, sizeof message, "STOPPING=1\nERRNO=%u", status.serviceSpecificExitCode);
        else if (status.win32ExitCode != 0)
            snprintf(message, sizeof message, "STOPPING=1\nERRNO=%u", status.win32ExitCode);
        else
            snprintf(message, sizeof message, "STOPPING=1");
        break;
    default: return;
    }
    sendNotification(message);
}

bool startDetachedThread(void (*procedure)())
{
    ThreadStart* start = static_cast<ThreadStart*>(malloc(sizeof(ThreadStart)));
    if (start == nullptr)
        return false;
    start->procedure = procedure;
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
    pthread_t thread;
    bool started = pthread_create(&thread, &attributes, detachedThread, start) == 0;
    pthread_attr_destroy(&attributes);
    if (!started)
        free(start);
    return started;
}

void yieldToOtherThreads()
{
    sched_yield();
}

const char* serviceVmOption()
{
    // Without it HotSpot unblocks SIGTERM and SIGINT in its own threads and takes them itself.
    return "-Xrs";
}

bool executableLoadsAsLibrary()
{
    return false;
}

ServiceRequestOutcome requestService(const char* name, ServiceRequest, int, char**, uint32_t&)
{
    // Only systemctl talks to systemd, and the launcher does not call it: an installed unit
    // is all that can be told.
    if (!usableUnitName(name))
        return RequestNotInstalled;
    TextBuffer path = unitPath(name);
    struct stat status;
    return lstat(path.CStr(), &status) == 0 ? RequestFailed : RequestNotInstalled;
}
