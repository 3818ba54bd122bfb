#pragma once
// What every window of the program may reach: the run state to read, the services
// and modules, the main window's commands, and the other windows, each loaded
// on first use and unloaded when closed. App is the one implementation. The
// windows depend on this, never on App nor on a window that depends on them,
// so their code forms no circle.
#include "seams/RunState.h"

namespace ui {
struct Services;
class Form;
}  // namespace ui
namespace platform {
class Platform;
}
class ShutModule;
struct SystemFacts;
class FileModule;
class Commands;
class SystrayIcon;
class TimeForm;
class TimeStart;
class OptionsForm;

class Windows {
 public:
  virtual ~Windows() = default;

  virtual ui::Services& Svc() = 0;
  virtual platform::Platform& Os() = 0;
  virtual ShutModule& Shut() = 0;
  virtual FileModule& Files() = 0;
  // Read once when the program starts.
  virtual const SystemFacts& System() const = 0;
  virtual const RunState& State() = 0;
  virtual Commands& Do() = 0;

  // The main window as a window (shown, enabled, minimised, focused); it
  // stays an object to the end, even once unloaded.
  virtual ui::Form& MainWindow() = 0;
  // From its creation (before it has loaded) until it is unloaded.
  virtual bool MainOpen() const = 0;
  virtual void UnloadMain() = 0;

  // The notification area: opened once at start-up, closed at the end. While
  // it is not open there is no tray: Tray() is null, never created by asking.
  virtual void OpenTray() = 0;
  virtual SystrayIcon* Tray() = 0;
  virtual void CloseTray() = 0;

  virtual TimeForm& LoadTimeForm() = 0;
  virtual TimeForm* TimeFormIfLoaded() const = 0;
  virtual void UnloadTimeForm() = 0;

  virtual TimeStart& LoadTimeStart() = 0;
  virtual TimeStart* TimeStartIfLoaded() const = 0;
  virtual void UnloadTimeStart() = 0;

  virtual OptionsForm& LoadOptionsForm() = 0;
  virtual OptionsForm* OptionsFormIfLoaded() const = 0;
  virtual void UnloadOptionsForm() = 0;
};
