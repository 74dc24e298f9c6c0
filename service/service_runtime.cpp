// The service's life cycle: dispatcher, service main, control handler.
#include "service/service_runtime.h"

void runServiceDispatcher()
{
}
