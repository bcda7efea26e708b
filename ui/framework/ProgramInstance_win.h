// The program's module handle, kept by the entry point for loading resources and registering
// window classes.
#pragma once

#include <windows.h>

extern HINSTANCE gInstance;
