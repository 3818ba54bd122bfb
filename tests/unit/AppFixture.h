#pragma once
// A whole application over the headless toolkit and the recording platform,
// with a throwaway Windows directory (System32 and System) and user profile
// (its application-data folders) on the host.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/MainForm.h"
#include "platform/RecordingPlatform.h"
#include "seams/Texts.h"
#include "tray/SystrayIcon.h"
#include "ui/Fakes.h"

// Gives every windowed control a window handle, as the real windows have, so
// that what needs one (the balloons) is made.
struct HandlePeers : ui::PeerFactory {
  struct Peer : ui::ControlPeer {
    explicit Peer(std::uintptr_t handle) : handle(handle) {}
    void Changed(ui::Prop) override {}
    std::uintptr_t Handle() const override { return handle; }
    std::uintptr_t handle;
  };
  std::uintptr_t next = 0x7000;
  void CreatePeers(ui::Form& form) override {
    for (ui::Control* c : form.Controls())
      if (c->Kind() == ui::ControlKind::WindowedPicture) c->AttachPeer(std::make_unique<Peer>(next++));
  }
};

using Lines = std::vector<std::string>;

// The names of the visible ones among these controls: a failure says which were shown.
inline std::string Shown(std::initializer_list<const ui::Control*> controls) {
  std::string names;
  for (const ui::Control* c : controls) names += c->Visible() ? " " + c->Name() : "";
  return names.empty() ? names : names.substr(1);
}

struct AppFixture {
  ui::FakeEnvironment env;
  platform::RecordingPlatform os;
  std::unique_ptr<App> app;
  std::filesystem::path root;
  std::filesystem::path windowsDir;  // stands for C:\WINDOWS
  std::filesystem::path profileDir;  // stands for kProfile
  bool processEnded = false;         // EndProcess was called

  // An ANSI (CP1252) user name, as the A calls give it.
  static constexpr const char* kProfile = "C:\\Users\\L\xE9o";
  static std::string AppData() { return std::string(kProfile) + "\\AppData\\Roaming"; }

  AppFixture() {
    std::string pattern = (std::filesystem::temp_directory_path() / "crep-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary directory");
    root = pattern;
    windowsDir = root / "WINDOWS";
    profileDir = root / "profile";
    for (const auto& dir : {windowsDir / "System32", windowsDir / "System", profileDir / "AppData" / "Roaming",
                            profileDir / "AppData" / "Local"})
      std::filesystem::create_directories(dir);
    os.windowsDirectory = "C:\\WINDOWS";
    os.hostRoot = windowsDir.string();
    os.mounts.push_back({kProfile, profileDir.string()});
    os.folders[platform::kCsidlAppData] = AppData();
    os.folders[platform::kCsidlLocalAppData] = std::string(kProfile) + "\\AppData\\Local";
    os.SetXp();
    app = std::make_unique<App>(env.services, os);
  }

  ~AppFixture() {
    app.reset();
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }

  // Starts the program with this command line (arguments only).
  void Start(const std::string& commandLine = {}) {
    os.commandLine = commandLine;
    Guard([&] { app->Start(); });
  }

  // Lets virtual time pass, firing the timers due on the way.
  void Advance(std::int64_t ms) {
    Guard([&] { env.scheduler.Advance(ms); });
    app->CollectGarbage();
  }

  // Runs f, noting an EndProcess instead of letting it escape.
  template <class F>
  void Guard(F&& f) {
    try {
      f();
    } catch (const platform::ProcessEnded&) {
      processEnded = true;
    }
  }

  MainForm& Main() { return app->Main(); }
  SystrayIcon& Tray() { return *app->Tray(); }

  // The three digit labels of the main window, "hh:mm:ss".
  std::string Digits() { return Main().TxtH.Caption() + ":" + Main().TxtM.Caption() + ":" + Main().TxtS.Caption(); }

  // A countdown begun as the delay dialog would.
  void StartCountdown(int action, std::string h, std::string m, std::string s) {
    Main().Action = static_cast<std::int16_t>(action);
    Main().TimeIsMoney(h, m, s, false);
  }

  // Each box as "text [flags title]": one comparison says what differed.
  Lines Boxes() const {
    Lines out;
    for (const ui::ShownBox& b : env.messageBoxes.shown)
      out.push_back(b.text + " [" + std::to_string(b.flags) + " " + b.title + "]");
    return out;
  }

  // The calls that shut down, restart or suspend the machine, in order.
  Lines PowerCalls() const {
    Lines out;
    for (const auto& l : os.log)
      if (l.rfind("ExitWindowsEx", 0) == 0 || l.rfind("SetSystemPowerState", 0) == 0 || l.rfind("StartProcess", 0) == 0)
        out.push_back(l);
    return out;
  }

  // The settings file where the program looks for it on the reported version.
  std::filesystem::path SettingsFile() const {
    const auto& v = os.Version();
    const auto appData = os.folders.find(platform::kCsidlAppData);
    if (v.dwPlatformId == 2 && v.dwMajorVersion >= 6 && appData != os.folders.end() && !appData->second.empty())
      return profileDir / "AppData" / "Roaming" / "Crepuscule" / "Crepuscule.ini";
    const bool nt5 = v.dwPlatformId == 2 && v.dwMajorVersion == 5;
    return windowsDir / (nt5 ? "System32" : "System") / "Crepuscule.ini";
  }
  // Empty when the file does not exist.
  std::vector<std::uint8_t> SettingsBytes() const { return ReadBytes(SettingsFile()); }
  static std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  void WriteSettingsBytes(const std::vector<std::uint8_t>& bytes) const { WriteBytes(SettingsFile(), bytes); }

  static void WriteBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  // The nine bytes of a file with the right tag.
  static std::vector<std::uint8_t> TaggedBytes(std::uint8_t options, std::uint8_t display, std::uint8_t seconds = 0,
                                               std::uint8_t minutes = 0, std::uint8_t hours = 0) {
    return {'S', '5', '.', '5', options, display, seconds, minutes, hours};
  }
};

// A started program per row of a table, on XP unless told otherwise.
struct Started : AppFixture {
  explicit Started(const std::string& commandLine = {}, bool xp = true) {
    if (!xp) os.Set98();
    Start(commandLine);
  }
};

// The same as a GoogleTest fixture: TEST_F(AppTest, ...), and one already started.
class AppTest : public ::testing::Test, public AppFixture {};
struct StartedTest : AppTest {
  void SetUp() override { Start(); }
};
