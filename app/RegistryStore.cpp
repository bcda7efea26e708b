// Selection of the registry that key objects open through.
#include "app/RegistryStore.h"

namespace {

RegistryStore* gActiveRegistry = nullptr;

}  // namespace

RegistryStore& ActiveRegistry() {
    return gActiveRegistry ? *gActiveRegistry : DefaultRegistry();
}

void SetActiveRegistry(RegistryStore* store) {
    gActiveRegistry = store;
}
