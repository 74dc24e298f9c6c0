// Turns the settings into a running Java program.
#include "vm/launch_sequence.h"

#include <stdio.h>

#include "launcher/messages.h"

LaunchError runLaunchSequence(int, char**, BeforeMainHook)
{
    TextBuffer message = loadMessageText(RuntimeNotFound);
    printf("%s\n", message.CStr());
    return RuntimeNotFound;
}
