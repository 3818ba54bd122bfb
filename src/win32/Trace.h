#pragma once
// Plumbing that should never fail (a window class, a window, the tray icon, a
// timer): in a debug build a failure leaves a line for the debugger
// (OutputDebugString, or WINEDEBUG=+debugstr under Wine). Release builds stay
// silent, and nothing here changes what the program does.
#include <windows.h>

#ifdef NDEBUG
inline void TraceFailure(const char*) {}
#else
// wsprintfA: the program carries no C runtime. It writes at most 1024 bytes.
inline void TraceFailure(const char* what) {
  char line[1100];
  wsprintfA(line, "crepuscule: %.80s failed (error %lu)\n", what, GetLastError());
  OutputDebugStringA(line);
}
#endif

// The result, traced when it says failure.
template <class T>
T Traced(T result, const char* what) {
  if (!result) TraceFailure(what);
  return result;
}
