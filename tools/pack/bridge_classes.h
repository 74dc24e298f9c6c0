// The Java bridge's class files, built into wyr-pack so that every archive can carry them.
#pragma once

#include <stddef.h>
#include <stdint.h>

struct EmbeddedClass {
    const char* entryName;
    const uint8_t* bytes;
    size_t size;
};

// Empty when wyr-pack was built without the bridge.
extern const EmbeddedClass* const theBridgeClasses;
extern const size_t theBridgeClassCount;

// The archive entries that make up the bridge, whether or not they are built in.
const char* const bridgeEntryNames[] = {"com/plovatek/wyr/ServiceStatusManager.class",
                                        "com/plovatek/wyr/ServiceStatusHandler.class"};
