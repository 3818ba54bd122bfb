// The C++ runtime's locks make their semaphores with CreateSemaphoreW, which
// the 95 family only stubs. Its import is answered here instead, by the A form
// that every system has: the linker takes this definition of the import's
// address before the system library's.
#include <windows.h>

#include <string>

#include "win32/Win32Text.h"

namespace {

HANDLE WINAPI CreateSemaphoreAnywhere(LPSECURITY_ATTRIBUTES security, LONG initial, LONG maximum, LPCWSTR name) {
  if (!name) return CreateSemaphoreA(security, initial, maximum, nullptr);  // the runtime's are unnamed
  const std::string ansi = ToAnsi(Narrow(name));
  return CreateSemaphoreA(security, initial, maximum, ansi.c_str());
}

}  // namespace

#if defined(_WIN64)
extern "C" void* __imp_CreateSemaphoreW;
void* __imp_CreateSemaphoreW = reinterpret_cast<void*>(&CreateSemaphoreAnywhere);
#else
extern "C" void* crepCreateSemaphoreImport __asm__("__imp__CreateSemaphoreW@16");
void* crepCreateSemaphoreImport = reinterpret_cast<void*>(&CreateSemaphoreAnywhere);
#endif
