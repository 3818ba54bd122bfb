#pragma once
// The hidden window that owns the notification-area icon, its tip, its
// notifications and its popup menus.
#include <cstdint>
#include <string>

#include "platform/Platform.h"
#include "seams/RunState.h"
#include "ui/Form.h"
#include "ui/Menu.h"
#include "ui/Timer.h"

class Windows;

class SystrayIcon : public ui::Form {
 public:
  explicit SystrayIcon(Windows& app);
  ~SystrayIcon() override;

  // ---- Operations ----
  void AddSystrayIcon(const std::string& Mess, std::int16_t SelectIcon);
  void Reduce();
  void Restore();
  // fresh: the tip is written whatever it said before (a countdown moved on).
  void IconRefresh(bool fresh = false);
  void Form_Load() override;
  void Form_Unload() override;
  // The shell's notification: the event number (0x201 left down, ...).
  void Form_MouseMove(int eventNumber);
  void TimeCop_Timer();
  // The shell restarted (TaskbarCreated): the icon is added again.
  void ShellRestarted();
  // The icon could not be added (no shell yet at logon, a shell that timed
  // out): tried again a while, then the main window is shown for good.
  void IconRetry_Timer();

  ui::Timer TimeCop;
  ui::Timer IconRetry;
  ui::Timer KeyPause;  // Enter may come as two key selects: the second is ignored

  // ---- Menus (popup only), normal and in-tray variants ----
  ui::Menu MnuFichier, MnuShut, MnuReboot, MnuClose;
  ui::Menu MnuFichierR, MnuShutR, MnuRebootR, MnuCloseR;
  // While a start waits for a program to end.
  ui::Menu MnuWait, MnuWaitR;
  // The Sleep item reads as the main window words the action.
  void ShowSleepWording();
  // Pops up the menu for Action and Reduced.
  void ShowTrayMenu();

  Windows& app;
  const RunState& state;  // Stoping, SystrayText, StopOptions and Reduced among the rest

  // Kept between calls.
  bool TrayBusy = false;
  std::int16_t LastTipMinute = 0;
  std::int16_t TipIconId = 0;
  platform::NotifyIconData Nid;
  int IconTries = 0;  // failed additions so far
  // The shell sends the newer notifications: the menu as WM_CONTEXTMENU, even
  // after a right click, and Enter or Space on the icon as a key select.
  bool KeyboardNotices = false;
  bool IconMissing = false;  // given up on: the window no longer goes to the tray

 private:
  void BuildMenus();
  // Just added: asks for the newer notifications where the shell has them.
  void IconAdded();
  // The menu shown for an action, in the tray or not, and its bold item.
  ui::Menu* MenuFor(int action, bool reduced, std::string& defaultItem);
};
