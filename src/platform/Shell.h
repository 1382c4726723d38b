#pragma once
// Opening web pages with the user's default handler.
#include <cstdint>

#include "platform/User32.h"

// "open" hands `file` (a web address) to the default browser. Returns a value
// above 32 on success, as the callers expect; they do not look at it.
intptr_t ShellExecuteA(HWND owner, const char* operation, const char* file,
                       const char* parameters, const char* directory, int showCommand);
