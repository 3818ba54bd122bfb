#include "settings/FileModule.h"

#include <algorithm>

#include "power/ShutModule.h"
#include "text/Text.h"
#include "ui/Services.h"

namespace {

constexpr std::uint32_t kDirectoryBuffer = 4096;
const char* const kFileName = "Crepuscule.ini";
constexpr std::uint64_t kTagOffset = 0, kOptionOffset = 4, kLastTimeOffset = 6;

using File = platform::Platform::File;

// Reads the tag; false on a read error. A short or foreign tag is a mismatch.
bool ReadTag(File& file, bool& matches) {
  std::uint8_t tag[4] = {};
  const int n = file.ReadAt(kTagOffset, tag, 4);
  if (n < 0) return false;
  matches = n == 4 && std::equal(std::begin(tag), std::end(tag), settings_codec::kVersionTag.begin());
  return true;
}

bool WriteTag(File& file) { return file.WriteAt(kTagOffset, settings_codec::kVersionTag.data(), 4); }

}  // namespace

std::string FileModule::GetSettingsDir() {
  std::string buffer(kDirectoryBuffer, '\0');
  const std::uint32_t length = os_.GetWindowsDirectoryA(buffer, kDirectoryBuffer - 1);
  buffer.resize(std::min<std::size_t>(length, buffer.size()));
  return buffer + (shut_.IsNT5() ? "\\System32\\" : "\\System\\");
}

std::string FileModule::SettingsPath() { return GetSettingsDir() + kFileName; }

namespace {
// Without the Windows directory the path would fall back to the drive's root:
// better not to touch any file at all.
std::unique_ptr<File> OpenSettings(platform::Platform& os, const std::string& path) {
  if (path.empty() || path.front() == '\\') return nullptr;
  return os.OpenFile(path);
}
}  // namespace

void FileModule::ReadSettings(bool& AlwaysMin, bool& AlwaysAllNow, bool& ShutDownAction, bool& RestartAction,
                              bool& StandbyAction, bool& NoMinAfter, bool& CheckSilence, bool& MemTime,
                              bool& NoDiagTime, bool& HourMode, bool& NoConfirmBox, bool& ForceHib, bool& DesignEnd,
                              std::string& Hours, std::string& Minutes, std::string& Seconds) {
  auto file = OpenSettings(os_, SettingsPath());
  if (!file) return;  // cannot even be created: the callers keep their values
  bool matches = false;
  if (!ReadTag(*file, matches)) return ResetSettings(*file);
  if (!matches) ResetSettings(*file);
  // Bytes missing from a short file read as 0, the defaults.
  std::uint8_t b[5] = {};
  if (file->ReadAt(kOptionOffset, b, 5) < 0) return ResetSettings(*file);
  file.reset();
  // A file that is not ours gives the defaults even when the reset could not
  // write them: its bytes must never become options (they may say "act at once").
  if (!matches) std::fill(std::begin(b), std::end(b), std::uint8_t{0});

  const Settings s = settings_codec::Decode(b[0], b[1], b[2], b[3], b[4]);
  AlwaysMin = s.AlwaysMin;
  AlwaysAllNow = s.AlwaysAllNow;
  ShutDownAction = s.ShutDownAction;
  RestartAction = s.RestartAction;
  StandbyAction = s.StandbyAction;
  NoMinAfter = s.NoMinAfter;
  CheckSilence = s.CheckSilence;
  MemTime = s.MemTime;
  NoDiagTime = s.NoDiagTime;
  HourMode = s.HourMode;
  NoConfirmBox = s.NoConfirmBox;
  ForceHib = s.ForceHib;
  DesignEnd = s.DesignEnd;
  Hours = PadTwo(NumberText(s.LastHours));
  Minutes = PadTwo(NumberText(s.LastMinutes));
  Seconds = PadTwo(NumberText(s.LastSeconds));
}

void FileModule::WriteSettings(bool AlwaysMin, bool AlwaysAllNow, bool ShutDownAction, bool RestartAction,
                               bool StandbyAction, bool NoMinAfter, bool CheckSilence, bool MemTime, bool NoDiagTime,
                               bool HourMode, bool NoConfirmBox, bool ForceHib, bool DesignEnd) {
  Settings s;
  s.AlwaysMin = AlwaysMin;
  s.AlwaysAllNow = AlwaysAllNow;
  s.ShutDownAction = ShutDownAction;
  s.RestartAction = RestartAction;
  s.StandbyAction = StandbyAction;
  s.NoMinAfter = NoMinAfter;
  s.CheckSilence = CheckSilence;
  s.MemTime = MemTime;
  s.NoDiagTime = NoDiagTime;
  s.HourMode = HourMode;
  s.NoConfirmBox = NoConfirmBox;
  s.ForceHib = ForceHib;
  s.DesignEnd = DesignEnd;
  const std::uint8_t bytes[2] = {settings_codec::OptionFlags(s), settings_codec::DisplayFlags(s)};

  auto file = OpenSettings(os_, SettingsPath());
  if (!file) return;
  bool matches = false;
  const bool ok = ReadTag(*file, matches) && (matches || WriteTag(*file)) && file->WriteAt(kOptionOffset, bytes, 2);
  if (ok) return;
  ResetSettings(*file);
  file.reset();  // closed before the box waits for the user
  boxes_.Show("Erreur lors de la sauvegarde. Le fichier à été réinitialisé.\r\rRéesayer l'Enregistrement",
              ui::kMbExclamation, "Erreur");
}

void FileModule::WriteLastTime(std::uint8_t Hours, std::uint8_t Minutes, std::uint8_t Seconds) {
  auto file = OpenSettings(os_, SettingsPath());
  if (!file) return;
  const std::uint8_t bytes[3] = {Seconds, Minutes, Hours};
  bool matches = false;
  const bool ok = ReadTag(*file, matches) && (matches || WriteTag(*file)) && file->WriteAt(kLastTimeOffset, bytes, 3);
  if (!ok) ResetSettings(*file);
}

void FileModule::ResetSettings(platform::Platform::File& file) {
  // Its own failures are left to show at the next read.
  WriteTag(file);
  const std::uint8_t zero = 0;
  for (std::uint64_t offset = 4; offset <= 8; ++offset) file.WriteAt(offset, &zero, 1);
}
