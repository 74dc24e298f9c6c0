// The service's own life: the control dispatcher, the service main and its control handler.
#pragma once

// Hands the process to the service manager; returns at once when it did not start the process.
void runServiceDispatcher();
