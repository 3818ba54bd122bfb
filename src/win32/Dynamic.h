#pragma once
// Calls newer than the oldest system the program runs on are looked up when
// first needed, so that the program still loads where they are missing.
#include <windows.h>

// The function, or null when this system's DLL lacks it.
template <class F>
F LookUp(const char* dll, const char* name) {
  HMODULE module = GetModuleHandleA(dll);
  if (!module) module = LoadLibraryA(dll);  // kept for the life of the process
  if (!module) return nullptr;
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
