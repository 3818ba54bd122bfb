#pragma once
// Plumbing that should never fail (a window class, a window, the tray icon, a
// timer): in a debug build a failure leaves a line for the debugger
// (OutputDebugString, or WINEDEBUG=+debugstr under Wine). Release builds stay
// silent, and nothing here changes what the program does.
#include <windows.h>

#ifdef NDEBUG
inline void TraceFailure(const char*) {}
#else
#include <cstdio>
inline void TraceFailure(const char* what) {
  char line[160];
  std::snprintf(line, sizeof line, "crepuscule: %s failed (error %lu)\n", what, GetLastError());
  OutputDebugStringA(line);
}
#endif

// The result, traced when it says failure.
template <class T>
T Traced(T result, const char* what) {
  if (!result) TraceFailure(what);
  return result;
}
