// The launcher's commands: service start, /test, /install, /uninstall and the rest.
#pragma once

// 'args' are the arguments after the program name. Returns the process exit status.
int dispatchCommand(int count, char** args);
