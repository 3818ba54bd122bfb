#pragma once
// The nine-byte settings file "Crepuscule.ini": a four-byte tag, two bytes of
// option bits and the last delay started. It lies in the system directory, or
// from Vista on in the user's application-data folder.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Platform.h"

class ShutModule;
namespace ui {
class MessageBoxService;
}

// The option record as plain data, and its byte codec (no file access).
struct Settings {
  bool AlwaysMin = false, AlwaysAllNow = false, ShutDownAction = false, RestartAction = false, StandbyAction = false,
       NoMinAfter = false, CheckSilence = false, MemTime = false, NoDiagTime = false, HourMode = false,
       NoConfirmBox = false, ForceHib = false, DesignEnd = false;
  std::uint8_t LastHours = 0, LastMinutes = 0, LastSeconds = 0;
};

namespace settings_codec {
constexpr std::array<std::uint8_t, 4> kVersionTag{'S', '5', '.', '5'};
std::uint8_t OptionFlags(const Settings& s);
std::uint8_t DisplayFlags(const Settings& s);
// Decodes bytes 4 and 5 (reserved bits ignored) and the last delay bytes 6..8.
Settings Decode(std::uint8_t optionFlags, std::uint8_t displayFlags, std::uint8_t seconds, std::uint8_t minutes,
                std::uint8_t hours);
}  // namespace settings_codec

class FileModule {
 public:
  FileModule(platform::Platform& os, ShutModule& shut, ui::MessageBoxService& boxes)
      : os_(os), shut_(shut), boxes_(boxes) {}

  std::string GetSettingsDir();
  // Out-arguments keep their values when reading fails after opening. A file
  // that is not ours gives the defaults, whether or not it could be reset.
  void ReadSettings(bool& AlwaysMin, bool& AlwaysAllNow, bool& ShutDownAction, bool& RestartAction, bool& StandbyAction,
                    bool& NoMinAfter, bool& CheckSilence, bool& MemTime, bool& NoDiagTime, bool& HourMode,
                    bool& NoConfirmBox, bool& ForceHib, bool& DesignEnd, std::string& Hours, std::string& Minutes,
                    std::string& Seconds);
  // False when the options are not in the file; the user has been told.
  bool WriteSettings(bool AlwaysMin, bool AlwaysAllNow, bool ShutDownAction, bool RestartAction, bool StandbyAction,
                     bool NoMinAfter, bool CheckSilence, bool MemTime, bool NoDiagTime, bool HourMode,
                     bool NoConfirmBox, bool ForceHib, bool DesignEnd);
  void WriteLastTime(std::uint8_t Hours, std::uint8_t Minutes, std::uint8_t Seconds);
  // Writes the defaults into a file its caller has open; false when a write failed.
  bool ResetSettings(platform::Platform::File& file);

  std::string SettingsPath();

 private:
  enum class Place { None, System, SystemReadOnly, AppData };
  Place Locate(std::string& dir);
  bool IsNT6OrLater();
  std::string WindowsDirectory();
  std::string SystemDir();
  // Opens the file for its operations; writable tells whether it could be
  // opened for writing. A read-only file is opened only when readOnlyWillDo.
  std::unique_ptr<platform::Platform::File> Open(bool readOnlyWillDo, bool& writable);
  // A new file in the user's folder starts from the copy kept in the system folder.
  void StartFromOldCopy(platform::Platform::File& file);

  platform::Platform& os_;
  ShutModule& shut_;
  ui::MessageBoxService& boxes_;
};
