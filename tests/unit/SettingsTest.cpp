// The nine-byte settings file: where it lies, its bytes, resets and failures.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "AppFixture.h"
#include "settings/FileModule.h"
#include "settings/OptionsForm.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(SettingsCodec, EachFieldHasItsOwnBitAndReservedBitsAreDropped) {
  bool Settings::*const fields[] = {&Settings::CheckSilence,  &Settings::NoMinAfter,     &Settings::StandbyAction,
                                    &Settings::RestartAction, &Settings::ShutDownAction, &Settings::MemTime,
                                    &Settings::AlwaysAllNow,  &Settings::AlwaysMin,      &Settings::NoDiagTime,
                                    &Settings::HourMode,      &Settings::NoConfirmBox,   &Settings::ForceHib,
                                    &Settings::DesignEnd};
  for (int i = 0; i < 13; ++i) {
    Settings s;
    s.*fields[i] = true;
    const auto options = settings_codec::OptionFlags(s), display = settings_codec::DisplayFlags(s);
    EXPECT_EQ(options | display << 8, 1 << i);  // option bits first, display bits from bit 8
    EXPECT_TRUE(settings_codec::Decode(options, display, 0, 0, 0).*fields[i]);
  }
  EXPECT_EQ(settings_codec::DisplayFlags(settings_codec::Decode(0, 0xE0, 0, 0, 0)), 0);
}

struct Read {
  bool b[13];
  std::string h = "keep", m = "keep", s = "keep";
  int Count() const { return static_cast<int>(std::count(std::begin(b), std::end(b), true)); }
  // How many flags are set, and the delay: "13 keep:keep:keep".
  std::string Text() const { return std::to_string(Count()) + " " + h + ":" + m + ":" + s; }
};

// Every out-argument starts at a marker, so that an untouched one shows.
Read ReadAll(FileModule& files, bool marker = false) {
  Read r;
  std::fill(std::begin(r.b), std::end(r.b), marker);
  files.ReadSettings(r.b[0], r.b[1], r.b[2], r.b[3], r.b[4], r.b[5], r.b[6], r.b[7], r.b[8], r.b[9], r.b[10], r.b[11],
                     r.b[12], r.h, r.m, r.s);
  return r;
}

TEST_F(AppTest, SettingsMissingForeignOrShortFilesReadAsDefaultsAndOursAfresh) {
  for (const Bytes& foreign : {Bytes{}, Bytes{'s', '5', '.', '5', 0xFF, 0x1F, 1, 2, 3}, Bytes{'S', '5'}}) {
    if (!foreign.empty()) WriteSettingsBytes(foreign);
    EXPECT_EQ(ReadAll(app->Files(), true).Text(), "0 00:00:00");
    EXPECT_EQ(SettingsBytes(), TaggedBytes(0, 0));
  }
  WriteSettingsBytes({'S', '5', '.', '5'});  // the tag alone: all defaults, nothing reset
  EXPECT_EQ(ReadAll(app->Files(), true).Count(), 0);
  EXPECT_EQ(SettingsBytes(), (Bytes{'S', '5', '.', '5'}));
  WriteSettingsBytes({'S', '5', '.', '5', 0x01});  // right tag, missing bytes read as 0
  const Read r = ReadAll(app->Files(), true);
  EXPECT_EQ(std::pair(r.Count(), r.b[6]), std::pair(1, true));  // CheckSilence
  WriteSettingsBytes(TaggedBytes(0x80, 0x10, 5, 30, 123));
  const Read ours = ReadAll(app->Files());  // AlwaysMin, DesignEnd, and the last delay
  EXPECT_EQ(std::tuple(ours.b[0], ours.b[12], ours.Text()), std::tuple(true, true, "2 123:30:05"));

  // A reset writes the tag, then each zero in order.
  WriteSettingsBytes({'X', 'X', 'X', 'X', 9, 9, 9, 9, 9});
  os.fileLog.clear();
  ReadAll(app->Files());
  EXPECT_EQ(os.fileLog, (Lines{"open C:\\WINDOWS\\System32\\Crepuscule.ini", "read 0+4=4", "write 0+4", "write 4+1",
                               "write 5+1", "write 6+1", "write 7+1", "write 8+1", "close"}));
}

TEST_F(AppTest, SettingsWritesTouchOnlyTheirOwnBytes) {
  WriteSettingsBytes({'S', '5', '.', '5', 0x21, 0xE2, 7, 8, 9, 42});
  app->Files().WriteLastTime(1, 30, 5);
  EXPECT_EQ(SettingsBytes(), (Bytes{'S', '5', '.', '5', 0x21, 0xE2, 5, 30, 1, 42}));
  app->Files().WriteSettings(true, true, true, true, true, true, true, true, true, true, true, true, true);
  EXPECT_EQ(SettingsBytes(), (Bytes{'S', '5', '.', '5', 0xFF, 0x1F, 5, 30, 1, 42}));
  app->Files().WriteSettings(true, false, false, false, false, false, false, false, false, false, false, false, true);
  EXPECT_EQ(SettingsBytes(), (Bytes{'S', '5', '.', '5', 0x80, 0x10, 5, 30, 1, 42}));
}

TEST_F(AppTest, SettingsNoByteOfAForeignFileBecomesOurs) {
  const Bytes foreign{'s', '5', '.', '5', 0xFF, 0x1F, 1, 2, 3};
  // Read when it cannot be reset (a full disk, a share that refuses writes).
  WriteSettingsBytes(foreign);
  os.failWrites = true;
  EXPECT_EQ(ReadAll(app->Files(), true).Text(), "0 00:00:00");
  EXPECT_EQ(SettingsBytes(), foreign);
  os.failWrites = false;
  os.readOnlyFiles = true;
  os.fileLog.clear();
  EXPECT_EQ(ReadAll(app->Files(), true).Count(), 0);
  app->Files().WriteLastTime(1, 30, 5);
  // Nothing is written to a file it may only read, nor even tried.
  EXPECT_EQ(os.fileLog, (Lines{"open existing C:\\WINDOWS\\System32\\Crepuscule.ini", "read 0+4=4", "close"}));
  os.readOnlyFiles = false;

  // Written to: the tag comes with the defaults of every byte the write does not set.
  app->Files().WriteLastTime(1, 30, 5);
  EXPECT_EQ(SettingsBytes(), TaggedBytes(0, 0, 5, 30, 1));
  EXPECT_EQ(ReadAll(app->Files(), true).Count(), 0);
  WriteSettingsBytes(foreign);
  app->Files().WriteSettings(true, false, false, false, false, false, false, false, false, false, false, false, false);
  EXPECT_EQ(SettingsBytes(), TaggedBytes(0x80, 0));
  EXPECT_TRUE(env.messageBoxes.shown.empty());
}

TEST_F(AppTest, SettingsErrorsResetTheFileAndOnlySavingSaysSo) {
  WriteSettingsBytes(TaggedBytes(0xFF, 0x1F, 1, 2, 3));
  os.failReads = true;
  EXPECT_EQ(ReadAll(app->Files(), true).Text(), "13 keep:keep:keep");  // the caller's values stay
  EXPECT_EQ(SettingsBytes(), TaggedBytes(0, 0));
  WriteSettingsBytes(TaggedBytes(0x01, 0, 1, 2, 3));
  app->Files().WriteLastTime(4, 5, 6);
  EXPECT_EQ(SettingsBytes(), TaggedBytes(0, 0));
  EXPECT_TRUE(env.messageBoxes.shown.empty());

  app->Files().WriteSettings(true, false, false, false, false, false, false, false, false, false, false, false, false);
  EXPECT_EQ(SettingsBytes(), TaggedBytes(0, 0));
  EXPECT_EQ(os.fileLog.back(), "close");  // closed before the box waits
  EXPECT_EQ(Boxes(), Lines{"Erreur lors de la sauvegarde. Le fichier à été réinitialisé.\r\rRéesayer l'Enregistrement "
                           "[48 Erreur]"});
}

TEST_F(AppTest, SettingsUnwritableFileIsReadAndOnlySavingSaysSo) {
  WriteSettingsBytes(TaggedBytes(0x01, 0, 5, 0, 0));
  os.readOnlyFiles = true;
  EXPECT_EQ(ReadAll(app->Files()).Text(), "1 00:00:05");  // CheckSilence
  app->Files().WriteLastTime(0, 0, 9);
  EXPECT_TRUE(env.messageBoxes.shown.empty());

  app->Files().WriteSettings(true, false, false, false, false, false, false, false, false, false, false, false, false);
  // Opened but every write refused: the file could not even be reset.
  os.readOnlyFiles = false;
  os.failWrites = true;
  app->Files().WriteSettings(true, false, false, false, false, false, false, false, false, false, false, false, false);
  EXPECT_EQ(SettingsBytes(), TaggedBytes(0x01, 0, 5, 0, 0));
  const std::string unwritable =
      "Erreur lors de la sauvegarde. Le fichier C:\\WINDOWS\\System32\\Crepuscule.ini ne peut pas être modifié."
      "\r\rLes options n'ont pas été enregistrées. [48 Erreur]";
  EXPECT_EQ(Boxes(), (Lines{unwritable, unwritable}));
}

TEST_F(AppTest, SettingsFolderPerSystem) {
  const std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, std::string> rows[] = {
      {2, 5, 1, "C:\\WINDOWS\\System32\\"},    {2, 5, 0, "C:\\WINDOWS\\System32\\"},
      {2, 4, 0, "C:\\WINDOWS\\System\\"},      {1, 4, 10, "C:\\WINDOWS\\System\\"},
      {2, 6, 0, AppData() + "\\Crepuscule\\"}, {2, 10, 0, AppData() + "\\Crepuscule\\"}};
  for (const auto& [id, major, minor, dir] : rows) {
    os.SetVersion(id, major, minor, 0);
    EXPECT_EQ(app->Files().GetSettingsDir(), dir);
  }
  EXPECT_EQ(os.CallsNamed("GetWindowsDirectoryA").front(), "GetWindowsDirectoryA(buffer=4096,size=4095)");
  os.folders[platform::kCsidlAppData] = "";  // unknown: the old place, which is then only read
  EXPECT_EQ(app->Files().GetSettingsDir(), "C:\\WINDOWS\\System\\");

  os.Set98();
  std::filesystem::remove(windowsDir / "System");  // 98 without its folder: nothing is made, saving says so
  EXPECT_EQ(ReadAll(app->Files(), true).Text(), "13 keep:keep:keep");
  app->Files().WriteSettings(true, true, true, true, true, true, true, true, true, true, true, true, true);
  ASSERT_EQ(env.messageBoxes.shown.size(), 1u);
  EXPECT_NE(env.messageBoxes.shown[0].text.find("C:\\WINDOWS\\System\\Crepuscule.ini"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(windowsDir / "System"));
}

// From Vista on: the user's folder, and the copies under the Windows directory a new file starts from.
std::filesystem::path SystemCopy(const AppFixture& f) { return f.windowsDir / "System" / "Crepuscule.ini"; }
std::filesystem::path VirtualCopy(const AppFixture& f) {
  return f.profileDir / "AppData" / "Local" / "VirtualStore" / "WINDOWS" / "System" / "Crepuscule.ini";
}
struct SettingsNt6Test : AppTest {
  SettingsNt6Test() { os.SetWin10(); }
  // Nothing was opened for writing, nor created, under the Windows directory.
  std::pair<Lines, Lines> WindowsDirectoryWrites() const {
    return {os.CallsNamed("OpenFile(C:\\WINDOWS"), os.CallsNamed("CreateDirectoryA(C:\\WINDOWS")};
  }
};

TEST_F(SettingsNt6Test, FirstStartMakesTheFolderAndTheFileInTheUsersFolder) {
  Start();
  EXPECT_EQ(SettingsBytes(), TaggedBytes(0, 0));
  EXPECT_EQ(os.CallsNamed("CreateDirectoryA"), Lines{"CreateDirectoryA(C:\\Users\\Léo\\AppData\\Roaming\\Crepuscule)"});
  Main().Noding = true;
  Main().TimeOptions_Click();
  app->OptionsFormIfLoaded()->Save.onClick();
  EXPECT_EQ(SettingsBytes(), TaggedBytes(0x01, 0));
  EXPECT_EQ(WindowsDirectoryWrites(), std::pair(Lines{}, Lines{}));
  EXPECT_FALSE(std::filesystem::exists(SystemCopy(*this)));

  AppFixture noWindows;  // the Windows directory unknown: no old copy to look for, a new file all the same
  noWindows.os.SetWin10();
  noWindows.os.windowsDirectory = "";
  noWindows.Start();
  EXPECT_EQ(noWindows.SettingsBytes(), TaggedBytes(0, 0));
}

TEST_F(SettingsNt6Test, ANewFileStartsFromTheOldCopy) {
  const Bytes ours = TaggedBytes(0x21, 0x02, 0, 10, 0), virtualised = TaggedBytes(0x01, 0, 5, 0, 0);
  const Bytes foreign{'S', '5', '.', '4', 0xFF, 0x1F, 1, 2, 3};
  // Why, the copy in the system folder, the virtualised copy, the file the program starts from.
  const std::tuple<const char*, Bytes, Bytes, Bytes> cases[] = {
      {"none", {}, {}, TaggedBytes(0, 0)},
      {"system folder", ours, {}, ours},
      {"virtual store", {}, virtualised, virtualised},
      {"both: the virtualised one, as the old program saw it", ours, virtualised, virtualised},
      {"foreign virtualised copy", ours, foreign, ours},
      {"foreign copies only", foreign, foreign, TaggedBytes(0, 0)},
      {"short copy", {'S', '5', '.', '5', 0x01}, {}, TaggedBytes(0x01, 0)},
  };
  for (const auto& [name, system, virtualStore, expected] : cases) {
    SCOPED_TRACE(name);
    AppFixture f;
    f.os.SetWin10();
    if (!system.empty()) WriteBytes(SystemCopy(f), system);
    if (!virtualStore.empty()) WriteBytes(VirtualCopy(f), virtualStore);
    f.Start();
    EXPECT_EQ(f.SettingsBytes(), expected);
    // Copied once: a later change to an old copy is not taken up again.
    if (!system.empty()) WriteBytes(SystemCopy(f), TaggedBytes(0x40, 0));
    ReadAll(f.app->Files());
    EXPECT_EQ(f.SettingsBytes(), expected);
    EXPECT_EQ(ReadBytes(SystemCopy(f)), system.empty() ? Bytes{} : TaggedBytes(0x40, 0));
    EXPECT_EQ(ReadBytes(VirtualCopy(f)), virtualStore);
    EXPECT_EQ(f.os.CallsNamed("OpenFile(C:\\WINDOWS"), Lines{});
  }
}

TEST_F(SettingsNt6Test, WithoutTheUsersFolderTheOldFileIsOnlyRead) {
  os.folders[platform::kCsidlAppData] = "";
  Start();
  EXPECT_FALSE(std::filesystem::exists(SystemCopy(*this)));  // missing: not made
  WriteBytes(SystemCopy(*this), TaggedBytes(0x01, 0, 0, 1, 0));
  EXPECT_EQ(ReadAll(app->Files()).Text(), "1 00:01:00");
  app->Files().WriteLastTime(0, 0, 7);
  app->Files().WriteSettings(true, false, false, false, false, false, false, false, false, false, false, false, false);
  EXPECT_EQ(ReadBytes(SystemCopy(*this)), TaggedBytes(0x01, 0, 0, 1, 0));
  EXPECT_EQ(env.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(WindowsDirectoryWrites(), std::pair(Lines{}, Lines{}));
}

}  // namespace
