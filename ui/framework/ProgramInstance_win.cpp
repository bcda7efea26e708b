// The program's module handle; starts as the executable's own so that test programs that use
// the framework without the player's entry point load their resources too.
#include "ui/framework/ProgramInstance_win.h"

HINSTANCE gInstance = GetModuleHandleA(nullptr);
