#pragma once
// The application object: the modules, and the five windows, each loaded on
// first use and unloaded when closed. It is what every window reaches the
// others through (Windows), and nothing but the program's start (and the
// test hook) reaches it directly.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Platform.h"
#include "power/ShutModule.h"
#include "seams/Actions.h"
#include "seams/Windows.h"
#include "settings/FileModule.h"
#include "ui/Services.h"

class MainForm;

class App : public Windows {
 public:
  App(ui::Services& services, platform::Platform& os);
  ~App() override;
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  ui::Services& Svc() override { return services_; }
  platform::Platform& Os() override { return os_; }
  ShutModule& Shut() override { return shut_; }
  FileModule& Files() override { return files_; }
  const SystemFacts& System() const override { return system_; }
  const RunState& State() override;
  Commands& Do() override;

  // Start-up: reads the system's facts, creates the main window (its
  // initialisation), loads it, shows it.
  void Start();
  // What the system decides, read once at start-up (and by tests that change it).
  void ReadSystemFacts() { system_ = SystemFacts::Read(shut_); }

  // The main window object lives from Start to the end of the program, even
  // once unloaded, so that a handler still running after the close is safe.
  MainForm& Main();
  MainForm* MainIfLoaded() const { return main_.get(); }
  ui::Form& MainWindow() override;
  bool MainOpen() const override { return main_ != nullptr; }
  void UnloadMain() override;

  void OpenTray() override;
  SystrayIcon* Tray() override { return systray_.get(); }
  void CloseTray() override;

  TimeForm& LoadTimeForm() override;
  TimeForm* TimeFormIfLoaded() const override { return timeForm_.get(); }
  void UnloadTimeForm() override;

  TimeStart& LoadTimeStart() override;
  TimeStart* TimeStartIfLoaded() const override { return timeStart_.get(); }
  void UnloadTimeStart() override;

  OptionsForm& LoadOptionsForm() override;
  OptionsForm* OptionsFormIfLoaded() const override { return options_.get(); }
  void UnloadOptionsForm() override;

  // A second copy was started: the window the user works in comes forward,
  // an open dialog before the main window; the tray keeps what it holds.
  void BringForward();
  // What a second copy's message asks: a postponement of the running
  // countdown (minutes, from any process: checked), or else to come forward.
  void Activated(std::uintptr_t postponeMinutes);

  // True once every window is closed: the program ends.
  bool Ended() const { return ended_; }
  std::function<void()> onEnded;

  // Unloaded windows are destroyed here, between events, never inside their
  // own handlers.
  void CollectGarbage();

 private:
  template <class F>
  F& Load(std::unique_ptr<F>& slot);
  template <class F>
  void Unload(std::unique_ptr<F>& slot);
  void CheckEnded();

  ui::Services& services_;
  platform::Platform& os_;
  ShutModule shut_;
  FileModule files_;
  SystemFacts system_;
  std::unique_ptr<MainForm> main_;
  MainForm* mainObject_ = nullptr;
  bool closing_ = false;  // the main window went: nothing opens again
  std::unique_ptr<SystrayIcon> systray_;
  std::unique_ptr<TimeForm> timeForm_;
  std::unique_ptr<TimeStart> timeStart_;
  std::unique_ptr<OptionsForm> options_;
  std::vector<std::unique_ptr<ui::Form>> graveyard_;
  std::unique_ptr<ui::Form> keptMain_;
  bool started_ = false;
  bool ended_ = false;
};
