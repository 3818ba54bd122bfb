// The whole start-up from an arbitrary command line, headless, then a while of
// running time. No crash, and no power call unless the line chose an action.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "../unit/AppFixture.h"
#include "text/Text.h"

namespace {
bool AsksForAction(const std::string& line) {
  for (const std::string& token : TraiteCommande(line, " "))
    if (token == "-a" || token == "-r" || token == "-v") return true;
  return false;
}

bool PowerCalled(const platform::RecordingPlatform& os) {
  for (const std::string& call : os.Calls())
    if (call.rfind("ExitWindowsEx", 0) == 0 || call.rfind("SetSystemPowerState", 0) == 0 ||
        call.rfind("StartProcess", 0) == 0)
      return true;
  return false;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 4096) return 0;
  const std::string line(reinterpret_cast<const char*>(data), size);
  AppFixture f;
  if (size > 0 && (data[0] & 1)) f.os.Set98();
  f.env.messageBoxes.answers.assign(64, 2);  // every question is answered Cancel
  f.Start(line);
  if (!f.app->Ended()) f.Advance(3 * 60 * 1000);
  if (PowerCalled(f.os) && !AsksForAction(line)) std::abort();
  return 0;
}
