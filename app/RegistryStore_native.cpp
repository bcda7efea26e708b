// The default registry of the native build: one in-memory registry for the whole process.
#include "app/RegistryStore.h"

#include "app/MemoryRegistry.h"

RegistryStore& DefaultRegistry() {
    static MemoryRegistry registry;
    return registry;
}
