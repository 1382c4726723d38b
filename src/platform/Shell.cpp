#include "platform/Shell.h"

#include <string>

intptr_t ShellExecuteA(HWND, const char* operation, const char* file, const char*, const char*, int) {
  std::string verb = operation ? operation : "open";
  if (verb != "open" || !file || !*file) return 2;
  return Host().OpenDocument(file) ? 33 : 2;
}
