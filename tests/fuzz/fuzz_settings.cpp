// Any bytes in place of the settings file: reading resets a foreign file to the
// nine defaults and leaves one of ours as it is; writing always leaves the tag
// and the last delay.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "../unit/AppFixture.h"
#include "settings/FileModule.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 1024) return 0;
  AppFixture f;
  f.WriteSettingsBytes(std::vector<std::uint8_t>(data, data + size));
  FileModule& files = f.app->Files();
  bool b[13] = {};
  std::string h = "x", m = "y", s = "z";
  files.ReadSettings(b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12], h, m, s);
  std::vector<std::uint8_t> after = f.SettingsBytes();
  const std::vector<std::uint8_t> defaults = AppFixture::TaggedBytes(0, 0);
  if (size < 4 || !std::equal(data, data + 4, defaults.begin())) {
    if (after.size() < 9 || !std::equal(defaults.begin(), defaults.end(), after.begin())) std::abort();
  } else if (after != std::vector<std::uint8_t>(data, data + size)) {
    std::abort();  // a file of ours is only read
  }
  if (size > 0)
    files.WriteSettings(data[0] & 1, data[0] & 2, false, false, false, true, false, false, false, false, false, false,
                        data[0] & 4);
  files.WriteLastTime(size > 1 ? data[1] : 0, 7, 8);
  after = f.SettingsBytes();
  if (after.size() < 9 || after[6] != 8 || after[7] != 7) std::abort();
  return 0;
}
