// The option bytes of the settings file and the record they stand for.
#include "settings/FileModule.h"

namespace settings_codec {

std::uint8_t OptionFlags(const Settings& s) {
  return static_cast<std::uint8_t>(s.CheckSilence * 1 + s.NoMinAfter * 2 + s.StandbyAction * 4 + s.RestartAction * 8 +
                                   s.ShutDownAction * 16 + s.MemTime * 32 + s.AlwaysAllNow * 64 + s.AlwaysMin * 128);
}

std::uint8_t DisplayFlags(const Settings& s) {
  // Bits 5 to 7 are reserved and always written as 0.
  return static_cast<std::uint8_t>(s.NoDiagTime * 1 + s.HourMode * 2 + s.NoConfirmBox * 4 + s.ForceHib * 8 +
                                   s.DesignEnd * 16);
}

Settings Decode(std::uint8_t optionFlags, std::uint8_t displayFlags, std::uint8_t seconds, std::uint8_t minutes,
                std::uint8_t hours) {
  const auto bit = [](std::uint8_t byte, int n) { return ((byte >> n) & 1) != 0; };
  Settings s;
  s.CheckSilence = bit(optionFlags, 0);
  s.NoMinAfter = bit(optionFlags, 1);
  s.StandbyAction = bit(optionFlags, 2);
  s.RestartAction = bit(optionFlags, 3);
  s.ShutDownAction = bit(optionFlags, 4);
  s.MemTime = bit(optionFlags, 5);
  s.AlwaysAllNow = bit(optionFlags, 6);
  s.AlwaysMin = bit(optionFlags, 7);
  s.NoDiagTime = bit(displayFlags, 0);
  s.HourMode = bit(displayFlags, 1);
  s.NoConfirmBox = bit(displayFlags, 2);
  s.ForceHib = bit(displayFlags, 3);
  s.DesignEnd = bit(displayFlags, 4);
  s.LastSeconds = seconds;
  s.LastMinutes = minutes;
  s.LastHours = hours;
  return s;
}

}  // namespace settings_codec
