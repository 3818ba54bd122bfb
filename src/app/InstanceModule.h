#pragma once
// Only one copy runs per user: a second start brings the first to the front.
#include <string>

namespace platform {
class Platform;
struct OsVersionInfo;
}  // namespace platform

// Ends the process when the first copy is found; returns otherwise.
// postponeMinutes (0 for none) goes to the first copy with the message.
void ActivatePreviousInstance(platform::Platform& os, int postponeMinutes = 0);

// What the second copy posts to the first copy's application window: the
// first copy then brings forward its own window (the open dialog first), which
// a second process is not always allowed to do for it. Its wParam, when not 0,
// is the minutes a running countdown is to be postponed by instead.
constexpr const char* kActivateMessage = "Crepuscule.Activate";

// The name of the object that tells a running copy; "Local\" (one per
// session) exists from Windows 2000 on, NT 4 and the 95 family refuse a
// backslash in it.
std::string InstanceMutexName(const platform::OsVersionInfo& version);
