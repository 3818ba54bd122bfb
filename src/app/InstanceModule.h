#pragma once
// Only one copy runs per user: a second start brings the first to the front.
namespace platform {
class Platform;
}

// Ends the process when the first copy is found; returns otherwise.
void ActivatePreviousInstance(platform::Platform& os);
