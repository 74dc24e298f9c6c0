// The process entry: builds the settings and the runtime host, dispatches, tears down in order.
#include <stdio.h>

#include "config/launch_config.h"
#include "launcher/dispatch.h"
#include "platform/process.h"
#include "vm/jvm_host.h"

int main(int argc, char** argv)
{
    initialiseProcessLocale();
    int status;
    {
        LaunchConfig config;
        JvmHost host;
        theJvmHost = &host;
        theLaunchConfig = &config;
        status = dispatchCommand(argc - 1, argv + 1);
        fflush(stdout);
        host.release();
        theLaunchConfig = nullptr;
        theJvmHost = nullptr;
    }
    return status;
}
