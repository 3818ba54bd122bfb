// Which Windows runs, and the exact system calls of each power action.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/RecordingPlatform.h"
#include "power/ShutModule.h"

namespace {

using Lines = std::vector<std::string>;

TEST(ShutModule_Version, EveryRowOfTheNameTable) {
  // Platform id, version and build; the name, NT, NT 5, the version text, and the name the options dialog shows.
  const std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t, const char*, bool, bool, const char*,
                   const char*>
      rows[] = {{2, 3, 51, 1057, "NT3", true, false, "NT 3.51.1057", "NT3"},
                {2, 4, 7, 1381, "NT4", true, false, "NT 4.7.1381", "NT4"},
                {1, 4, 0, 950, "95", false, false, "4.0.950", "95"},
                {1, 4, 10, 0x040A08AE, "98", false, false, "4.10.67766446", "98"},
                {1, 4, 90, 3000, "Me", false, false, "4.90.3000", "Me"},
                {1, 4, 3, 0, "", false, false, "4.3.0", ""},
                {2, 5, 0, 2195, "2000", true, true, "NT 5.0.2195", "2000"},
                {2, 5, 1, 2600, "Xp", true, true, "NT 5.1.2600", "Xp"},
                {2, 5, 2, 3790, "", true, true, "NT 5.2.3790", "XP x64 ou Server 2003"},
                {2, 6, 0, 6002, "", true, false, "NT 6.0.6002", "Vista"},
                {2, 6, 1, 7601, "", true, false, "NT 6.1.7601", "7"},
                {2, 6, 2, 9200, "", true, false, "NT 6.2.9200", "8"},
                {2, 6, 3, 9600, "", true, false, "NT 6.3.9600", "8.1"},
                {2, 10, 0, 19045, "", true, false, "NT 10.0.19045", "10"},
                {2, 10, 0, 22000, "", true, false, "NT 10.0.22000", "11"},
                {2, 11, 0, 30000, "", true, false, "NT 11.0.30000", ""},
                {0, 0, 0, 0, "", false, false, "0.0.0", ""}};
  for (const auto& [platformId, major, minor, build, name, nt, nt5, version, shown] : rows) {
    platform::RecordingPlatform os;
    os.SetVersion(platformId, major, minor, build);
    ShutModule shut(os);
    EXPECT_EQ(
        std::tuple(shut.GetOSName(), shut.IsNT(), shut.IsNT5(), shut.GetOSDisplayName(), shut.GetOSVersionString()),
        std::tuple(std::string(name), nt, nt5, std::string(shown), std::string(version)));
    EXPECT_EQ(os.log.back(), "GetVersionExA(size=148)");  // asked afresh, with the record's size
  }
}

TEST(ShutModule_Power, ExactCallsOnNtAndOnThe95FamilyAndWhetherTheSystemTookThem) {
  const Lines privilege = {"GetCurrentProcess()", "OpenProcessToken(access=40)",
                           "LookupPrivilegeValueA(SeShutdownPrivilege)", "AdjustTokenPrivileges(count=1,attr=2,len=16)",
                           "CloseHandle(0x70ce)"};
  // 0/1: shutdown forced or not, 2/3: restart forced or not, 4: standby, 5: hibernate.
  const auto act = [](ShutModule& s, int i) {
    bool forced = i % 2 == 0;
    return i < 2 ? s.ShutdownComputer(forced) : i < 4 ? s.RestartComputer(forced) : s.SuspendComputer(i == 5);
  };
  const char* const calls[] = {"ExitWindowsEx(12,0)", "ExitWindowsEx(8,0)",         "ExitWindowsEx(6,0)",
                               "ExitWindowsEx(2,0)",  "SetSystemPowerState(-1,-1)", "SetSystemPowerState(0,-1)"};
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(calls[i]);
    platform::RecordingPlatform nt, w98;
    nt.SetXp();
    w98.Set98();
    ShutModule onNt(nt), on98(w98);
    Lines expected;
    for (int time = 0; time < 2; ++time) {  // the privilege is enabled again every time
      act(onNt, i);
      expected.insert(expected.end(), privilege.begin(), privilege.end());
      expected.push_back(calls[i]);
    }
    EXPECT_EQ(nt.Calls(), expected);

    if (i < 2) {
      // Shutdown on the 95 family goes through its shell and ends the program.
      EXPECT_THROW(act(on98, i), platform::ProcessEnded);
      EXPECT_EQ(w98.Calls(), (Lines{"GetWindowsDirectoryA(buffer=4096,size=4095)",
                                    "StartProcess(C:\\WINDOWS\\rundll32.exe user,exitwindows,1)", "EndProcess()"}));
    } else {
      act(on98, i);
      EXPECT_EQ(w98.Calls(), Lines{calls[i]});
    }
  }

  // Each action says whether the system took it.
  platform::RecordingPlatform nt, w98;
  nt.SetXp();
  w98.Set98();
  ShutModule onNt(nt), on98(w98);
  bool force = true;
  nt.failExitWindows = 2;
  nt.failPowerState = 1;
  for (bool took : {false, true})
    EXPECT_EQ(std::tuple(onNt.ShutdownComputer(force), onNt.RestartComputer(force), onNt.SuspendComputer(true)),
              std::tuple(took, took, took));
  w98.failStartProcess = true;  // the process could not start: the program goes on
  EXPECT_FALSE(on98.ShutdownComputer(force));
  EXPECT_EQ(w98.CallsNamed("EndProcess"), Lines{});
}

TEST(ShutModule_Power, TheLegacyShutdownStartsRundll32ByItsFullPath) {
  const std::pair<const char*, const char*> rows[] = {
      {"C:\\", "StartProcess(C:\\rundll32.exe user,exitwindows,1)"},
      {"D:\\Mes Documents\\WIN", "StartProcess(\"D:\\Mes Documents\\WIN\\rundll32.exe\" user,exitwindows,1)"},
      {"", nullptr}};  // without the Windows directory nothing is started
  for (const auto& [directory, start] : rows) {
    platform::RecordingPlatform os;
    os.Set98();
    os.windowsDirectory = directory;
    ShutModule shut(os);
    bool force = true;
    if (start) {
      EXPECT_THROW(shut.ShutdownComputer(force), platform::ProcessEnded);
      EXPECT_EQ(os.CallsNamed("StartProcess"), Lines{start});
    } else {
      EXPECT_FALSE(shut.ShutdownComputer(force));
      EXPECT_EQ(os.Calls(), Lines{"GetWindowsDirectoryA(buffer=4096,size=4095)"});
    }
  }
}

}  // namespace
