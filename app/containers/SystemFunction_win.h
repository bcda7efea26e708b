// Functions of system libraries that the player needs only for a rare command (a dialog, a
// drop). They are looked up when first called, so that starting the player does not load
// those libraries and everything they pull in.
#pragma once

#include <windows.h>

// The named export of library, loading the library on first use (it then stays loaded for the
// process's life). Null when either cannot be found.
template <typename Function>
Function SystemFunction(const char* library, const char* name) {
    HMODULE module = GetModuleHandleA(library);
    if (module == nullptr) {
        module = LoadLibraryA(library);
    }
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}
