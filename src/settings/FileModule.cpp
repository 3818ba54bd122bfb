#include "settings/FileModule.h"

#include <algorithm>

#include "power/ShutModule.h"
#include "text/Text.h"
#include "ui/Services.h"

namespace {

constexpr std::uint32_t kDirectoryBuffer = 4096;
const char* const kFileName = "Crepuscule.ini";
const char* const kOwnFolder = "Crepuscule";
constexpr std::uint64_t kTagOffset = 0, kOptionOffset = 4, kLastTimeOffset = 6;
constexpr int kFileSize = 9;

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

bool FileModule::IsNT6OrLater() {
  platform::OsVersionInfo v;
  v.dwOSVersionInfoSize = platform::kOsVersionInfoSize;
  os_.GetVersionExA(v);
  return v.dwPlatformId == platform::kPlatformNt && v.dwMajorVersion >= 6;
}

std::string FileModule::WindowsDirectory() {
  std::string buffer(kDirectoryBuffer, '\0');
  const std::uint32_t length = os_.GetWindowsDirectoryA(buffer, kDirectoryBuffer - 1);
  buffer.resize(std::min<std::size_t>(length, buffer.size()));
  return buffer;
}

std::string FileModule::SystemDir() { return WindowsDirectory() + (shut_.IsNT5() ? "\\System32\\" : "\\System\\"); }

FileModule::Place FileModule::Locate(std::string& dir) {
  const bool nt6 = IsNT6OrLater();
  // From Vista on a standard user may not write the Windows directory: the
  // options live in the user's own folder.
  if (nt6) {
    const std::string appData = os_.GetFolderPath(platform::kCsidlAppData);
    if (!appData.empty()) {
      dir = appData + "\\" + kOwnFolder + "\\";
      return Place::AppData;
    }
  }
  dir = SystemDir();
  // Without the Windows directory the path would fall back to the drive's root:
  // better not to touch any file at all.
  if (dir.front() == '\\') return Place::None;
  return nt6 ? Place::SystemReadOnly : Place::System;
}

std::string FileModule::GetSettingsDir() {
  std::string dir;
  Locate(dir);
  return dir;
}

std::string FileModule::SettingsPath() { return GetSettingsDir() + kFileName; }

std::unique_ptr<File> FileModule::Open(bool readOnlyWillDo, bool& writable) {
  writable = false;
  std::string dir;
  const Place place = Locate(dir);
  if (place == Place::None) return nullptr;
  const std::string path = dir + kFileName;
  std::unique_ptr<File> file;
  // On Vista and later nothing is ever created or written in the Windows directory.
  if (place != Place::SystemReadOnly) {
    file = os_.OpenFile(path);
    if (!file && place == Place::AppData && os_.CreateDirectoryA(dir.substr(0, dir.size() - 1)))
      file = os_.OpenFile(path);
  }
  if (file) {
    writable = true;
    if (place == Place::AppData) StartFromOldCopy(*file);
    return file;
  }
  // A file the user may only read still gives its options.
  return readOnlyWillDo ? os_.OpenExistingFile(path) : nullptr;
}

void FileModule::StartFromOldCopy(File& file) {
  std::uint8_t first = 0;
  if (file.ReadAt(0, &first, 1) != 0) return;  // not new; a read error is left to the operation
  const std::string windows = WindowsDirectory();
  std::string sources[2];
  // Where Windows kept the file of a program it virtualised comes first: that
  // is the copy the program last saw.
  const std::string localAppData = os_.GetFolderPath(platform::kCsidlLocalAppData);
  if (!localAppData.empty() && windows.size() > 3 && windows[1] == ':' && windows[2] == '\\')
    sources[0] = localAppData + "\\VirtualStore\\" + windows.substr(3) + "\\System\\" + kFileName;
  if (!windows.empty()) sources[1] = SystemDir() + kFileName;
  for (const std::string& path : sources) {
    const auto old = path.empty() ? nullptr : os_.OpenExistingFile(path);
    if (!old) continue;
    std::uint8_t bytes[kFileSize] = {};  // what a short copy lacks reads as the defaults
    // Only a copy of ours: a foreign one would give the defaults anyway.
    if (!IsOurTag(bytes, old->ReadAt(0, bytes, kFileSize))) continue;
    file.WriteAt(0, bytes, kFileSize);  // a failure shows at the next read as a missing tag
    return;
  }
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
  // A file that is not ours gives the defaults even when the reset could not
  // write them: its bytes must never become options (they may say "act at once").
  if (!matches) std::fill(std::begin(b), std::end(b), std::uint8_t{0});

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
