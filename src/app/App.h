#pragma once
// The application object: the modules, and the five windows, each loaded on
// first use and unloaded when closed. Forms reach each other through it.
#include <functional>
#include <memory>
#include <vector>

#include "platform/Platform.h"
#include "power/ShutModule.h"
#include "settings/FileModule.h"
#include "ui/Services.h"

class MainForm;
class SystrayIcon;
class TimeForm;
class TimeStart;
class OptionsForm;

class App {
 public:
  App(ui::Services& services, platform::Platform& os);
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  ui::Services& Svc() { return services_; }
  platform::Platform& Os() { return os_; }
  ShutModule& Shut() { return shut_; }
  FileModule& Files() { return files_; }

  // Start-up: creates the main window (its initialisation), loads it, shows it.
  void Start();

  // The main window object lives from Start to the end of the program, even
  // once unloaded, so that a handler still running after the close is safe.
  MainForm& Main();
  MainForm* MainIfLoaded() const { return main_.get(); }
  void UnloadMain();

  // Touching the tray window loads it, as the forms of the original design
  // did; once the program is closing it is never brought back (that would put
  // the icon back and keep a closed program alive).
  SystrayIcon& Systray();
  SystrayIcon* SystrayIfLoaded() const { return systray_.get(); }
  void UnloadSystray();

  TimeForm& LoadTimeForm();
  TimeForm* TimeFormIfLoaded() const { return timeForm_.get(); }
  void UnloadTimeForm();

  TimeStart& LoadTimeStart();
  TimeStart* TimeStartIfLoaded() const { return timeStart_.get(); }
  void UnloadTimeStart();

  OptionsForm& LoadOptionsForm();
  OptionsForm* OptionsFormIfLoaded() const { return options_.get(); }
  void UnloadOptionsForm();

  // A second copy was started: the window the user works in comes forward,
  // an open dialog before the main window; the tray keeps what it holds.
  void BringForward();

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
  std::unique_ptr<MainForm> main_;
  MainForm* mainObject_ = nullptr;
  std::unique_ptr<SystrayIcon> detachedSystray_;  // answers for the tray once it is gone
  bool closing_ = false;
  std::unique_ptr<SystrayIcon> systray_;
  std::unique_ptr<TimeForm> timeForm_;
  std::unique_ptr<TimeStart> timeStart_;
  std::unique_ptr<OptionsForm> options_;
  std::vector<std::unique_ptr<ui::Form>> graveyard_;
  std::unique_ptr<ui::Form> keptMain_;
  bool started_ = false;
  bool ended_ = false;
};
