#include "settings/FileModule.h"

#include <algorithm>

#include "power/ShutModule.h"
#include "text/Text.h"
#include "ui/Services.h"

namespace {

constexpr std::uint32_t kDirectoryBuffer = 4096;
const char* const kFileName = "Crepuscule.ini";
constexpr std::uint64_t kTagOffset = 0, kOptionOffset = 4, kLastTimeOffset = 6;

const char* const kResetText =
    "Erreur lors de la sauvegarde. Le fichier à été réinitialisé.\r\rRéesayer l'Enregistrement";

using File = platform::Platform::File;

bool IsOurTag(const std::uint8_t* tag, int length) {
  return length >= 4 && std::equal(tag, tag + 4, settings_codec::kVersionTag.begin());
}

// Reads the tag; false on a read error. A short or foreign tag is a mismatch.
bool ReadTag(File& file, bool& matches) {
  std::uint8_t tag[4] = {};
  const int n = file.ReadAt(kTagOffset, tag, 4);
  if (n < 0) return false;
  matches = IsOurTag(tag, n);
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

std::unique_ptr<File> FileModule::Open(bool readOnlyWillDo, bool& writable) {
  writable = false;
  const std::string path = SettingsPath();
  // Without the Windows directory the path would fall back to the drive's root:
  // better not to touch any file at all.
  if (path.front() == '\\') return nullptr;
  if (auto file = os_.OpenFile(path)) {
    writable = true;
    return file;
  }
  // A file the user may only read still gives its options.
  return readOnlyWillDo ? os_.OpenExistingFile(path) : nullptr;
}

void FileModule::ReadSettings(bool& AlwaysMin, bool& AlwaysAllNow, bool& ShutDownAction, bool& RestartAction,
                              bool& StandbyAction, bool& NoMinAfter, bool& CheckSilence, bool& MemTime,
                              bool& NoDiagTime, bool& HourMode, bool& NoConfirmBox, bool& ForceHib, bool& DesignEnd,
                              std::string& Hours, std::string& Minutes, std::string& Seconds) {
  bool writable = false;
  auto file = Open(true, writable);
  if (!file) return;  // cannot even be created: the callers keep their values
  bool matches = false;
  std::uint8_t b[5] = {};  // bytes missing from a short file read as 0, the defaults
  if (!ReadTag(*file, matches) || (matches && file->ReadAt(kOptionOffset, b, 5) < 0)) {
    if (writable) ResetSettings(*file);
    return;
  }
  // No byte of a file that is not ours becomes an option, whatever the reset achieved.
  if (!matches && writable) ResetSettings(*file);
  file.reset();

  const Settings s = matches ? settings_codec::Decode(b[0], b[1], b[2], b[3], b[4]) : Settings{};
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

bool FileModule::WriteSettings(bool AlwaysMin, bool AlwaysAllNow, bool ShutDownAction, bool RestartAction,
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

  bool writable = false;
  auto file = Open(false, writable);
  bool reset = false;
  if (file) {
    bool matches = false;
    // A file that is not ours is reset whole first: none of its bytes stays
    // behind our tag to be read as ours.
    if (ReadTag(*file, matches) && (matches || ResetSettings(*file)) && file->WriteAt(kOptionOffset, bytes, 2))
      return true;
    reset = ResetSettings(*file);
    file.reset();  // closed before the box waits for the user
  }
  if (reset)
    boxes_.Show(kResetText, ui::kMbExclamation, "Erreur");
  else
    boxes_.Show("Erreur lors de la sauvegarde. Le fichier " + AnsiToUtf8(SettingsPath()) +
                    " ne peut pas être modifié.\r\rLes options n'ont pas été enregistrées.",
                ui::kMbExclamation, "Erreur");
  return false;
}

void FileModule::WriteLastTime(std::uint8_t Hours, std::uint8_t Minutes, std::uint8_t Seconds) {
  bool writable = false;
  auto file = Open(false, writable);
  if (!file) return;
  const std::uint8_t bytes[3] = {Seconds, Minutes, Hours};
  bool matches = false;
  // As in WriteSettings: the option bytes of a foreign file are not kept under our tag.
  const bool ok =
      ReadTag(*file, matches) && (matches || ResetSettings(*file)) && file->WriteAt(kLastTimeOffset, bytes, 3);
  if (!ok) ResetSettings(*file);
}

bool FileModule::ResetSettings(File& file) {
  bool ok = WriteTag(file);
  const std::uint8_t zero = 0;
  for (std::uint64_t offset = 4; offset <= 8; ++offset) ok = file.WriteAt(offset, &zero, 1) && ok;
  return ok;
}
