// The notification-area icon: its record, its tip during a countdown, the
// shell's notifications, and putting the main window into the tray and back.
#include "tray/SystrayIcon.h"

#include <algorithm>
#include <string>

#include "seams/Actions.h"
#include "seams/Commands.h"
#include "seams/ResourceIds.h"
#include "seams/Texts.h"
#include "seams/Windows.h"
#include "settings/OptionsForm.h"
#include "text/Text.h"
#include "timeui/TimeForm.h"
#include "timeui/TimeStart.h"

namespace {

constexpr std::uint32_t kRecordSize = 88;  // NOTIFYICONDATAA, version 1
constexpr std::uint32_t kIconId = 1;
constexpr std::uint32_t kMessageIconTip = 7;       // NIF_MESSAGE | NIF_ICON | NIF_TIP
constexpr std::uint32_t kCallbackMessage = 0x200;  // arrives as the hidden window's mouse move

// How long a missing icon is tried again before the window shows instead.
constexpr int kIconRetryMs = 2000, kIconTriesBeforeShowing = 15;

constexpr int kLeftDown = 0x201, kLeftUp = 0x202, kLeftDouble = 0x203;
constexpr int kRightDown = 0x204, kRightUp = 0x205;
constexpr int kContextMenu = 0x7B, kKeySelect = 0x401;  // WM_CONTEXTMENU, NIN_KEYSELECT

// Clears TrayBusy however the handler is left (a power call may end the process).
struct BusyGuard {
  bool& flag;
  ~BusyGuard() { flag = false; }
};

}  // namespace

SystrayIcon::SystrayIcon(Windows& a)
    : ui::Form(a.Svc(), "SystrayIcon", ui::FormStyle::Hidden, {}, "SystrayIcon"),
      TimeCop(*this, "TimeCop", 200, false),
      IconRetry(*this, "IconRetry", kIconRetryMs, false),
      KeyPause(*this, "KeyPause", 500, false),
      MnuFichier("MnuFichier", "SysMenu", {}),
      MnuShut("MnuShut", "ShutMenu", {}),
      MnuReboot("MnuReboot", "RebootMenu", {}),
      MnuClose("MnuClose", "ClosMenu", {}),
      MnuFichierR("MnuFichierR", "SysMenu", {}),
      MnuShutR("MnuShutR", "ShutMenu", {}),
      MnuRebootR("MnuRebootR", "RebootMenu", {}),
      MnuCloseR("MnuCloseR", "ClosMenu", {}),
      MnuWait("MnuWait", "WaitMenu", {}),
      MnuWaitR("MnuWaitR", "WaitMenu", {}),
      app(a),
      state(a.State()) {
  BuildMenus();
  TimeCop.onTick = [this] { TimeCop_Timer(); };
  IconRetry.onTick = [this] { IconRetry_Timer(); };
  KeyPause.onTick = [this] { KeyPause.SetEnabled(false); };
  onShellNotify = [this](int eventNumber) { Form_MouseMove(eventNumber); };
  onShellRestarted = [this] { ShellRestarted(); };
}

SystrayIcon::~SystrayIcon() = default;

void SystrayIcon::Form_Load() {
  SetIcon(IDI_IDLE);
  Nid.cbSize = kRecordSize;
  Nid.hWnd = Hwnd();
  Nid.uID = kIconId;
  Nid.uFlags = kMessageIconTip;
  Nid.uCallbackMessage = kCallbackMessage;
  Nid.hIcon = app.Os().LoadIconResource(IDI_IDLE);
  Nid.tip = kIdleTip;
  if (app.Os().Shell_NotifyIconA(platform::kNimAdd, Nid))
    IconAdded();
  else
    IconRetry.SetEnabled(true);

  ShowSleepWording();
}

void SystrayIcon::IconAdded() { KeyboardNotices = app.Os().Shell_NotifyIconA(platform::kNimSetVersion, Nid) != 0; }

void SystrayIcon::ShowSleepWording() {
  const std::string caption = app.Do().SleepMenuCaption();
  MnuFichier.SetCaption("MnuFerme", caption);
  MnuFichierR.SetCaption("MnuFermeR", caption);
}

void SystrayIcon::Form_Unload() {
  Nid.cbSize = kRecordSize;
  Nid.hWnd = Hwnd();
  Nid.uID = kIconId;
  app.Os().Shell_NotifyIconA(platform::kNimDelete, Nid);
}

void SystrayIcon::ShellRestarted() {
  // Explorer came back without our icon: add it again as it stands now.
  if (Loaded() && app.Os().Shell_NotifyIconA(platform::kNimAdd, Nid)) {
    IconAdded();
    IconRetry.SetEnabled(false);
    IconMissing = false;
  }
}

void SystrayIcon::IconRetry_Timer() {
  // As the icon stands now: the tip may have changed meanwhile.
  if (app.Os().Shell_NotifyIconA(platform::kNimAdd, Nid)) {
    IconAdded();
    IconRetry.SetEnabled(false);
    return;
  }
  if (++IconTries < kIconTriesBeforeShowing) return;
  IconRetry.SetEnabled(false);
  IconMissing = true;
  // Without an icon a hidden window could not be reached any more, and a
  // preset countdown not be cancelled: it shows, even after "-m". A shell
  // that starts later still gets the icon (TaskbarCreated).
  ui::Form& main = app.MainWindow();
  if (app.MainOpen() && (!main.Visible() || main.State() != ui::WindowState::Normal)) Restore();
}

void SystrayIcon::AddSystrayIcon(const std::string& Mess, std::int16_t SelectIcon) {
  SetIcon(SelectIcon);
  Nid.hIcon = app.Os().LoadIconResource(SelectIcon);
  Nid.tip = Mess;
  // Once the window is closed the icon is gone: there is nothing left to modify.
  if (Loaded()) app.Os().Shell_NotifyIconA(platform::kNimModify, Nid);
}

void SystrayIcon::Reduce() {
  // Without an icon there is no tray to go to: the window stays reachable.
  if (IconMissing) return;
  ui::Form& main = app.MainWindow();
  if (app.MainOpen()) {
    main.SetState(ui::WindowState::Minimised);
    main.Hide();
  }
  app.Do().SetReduced(true);
}

void SystrayIcon::Restore() {
  ui::Form& main = app.MainWindow();
  if (app.MainOpen()) {
    main.Show();
    main.SetState(ui::WindowState::Normal);
  }
  // Reduced stays set a little longer, so that the second half of a double
  // click does not send the window straight back.
  TimeCop.SetEnabled(true);
  app.UnloadTimeStart();
}

void SystrayIcon::TimeCop_Timer() {
  app.Do().SetReduced(false);
  TimeCop.SetEnabled(false);
}

void SystrayIcon::IconRefresh(bool fresh) {
  const RunState& main = state;
  if (IsAction(main.Action)) {  // another value keeps both as they were
    app.Do().SetTipPrefix(TextsOf(main.Action, main).tipPrefix);
    TipIconId = static_cast<std::int16_t>(ActionIcon(main.Action, app.System().xpLooks));
  }
  if (!main.CountDown) return;

  const int h = main.TpsH, m = main.TpsM, s = main.TpsS;
  const std::string& prefix = main.SystrayText;
  std::string tip;
  if (fresh) LastTipMinute = -1;
  if (h != 0 && (m != 0 || fresh) && m != LastTipMinute) {
    std::string hh, mm, ss;
    app.Do().Digits(hh, mm, ss);
    tip = prefix + std::to_string(h) + "h" + mm + " ...";
    LastTipMinute = static_cast<std::int16_t>(m);
  } else if (h == 0 && m != 0 && m != 1 && m != LastTipMinute) {
    tip = prefix + std::to_string(m) + " minutes ...";
    LastTipMinute = static_cast<std::int16_t>(m);
  } else if (h == 0 && m == 1) {
    tip = prefix + std::to_string(m) + " minute et " + std::to_string(s) + "s ...";
  } else if (h == 0 && m == 0 && s > 5) {
    tip = prefix + std::to_string(s) + "s ...";
  } else {
    return;  // the engine owns the last five seconds; other cases keep the tip
  }
  AddSystrayIcon(tip, TipIconId);
}

void SystrayIcon::Form_MouseMove(int eventNumber) {
  // A menu or a message box pumps messages: notifications arriving meanwhile are dropped.
  if (TrayBusy) return;
  if (eventNumber == kKeySelect && KeyboardNotices) {
    if (KeyPause.Enabled()) return;
    KeyPause.SetEnabled(true);
    eventNumber = kLeftDouble;  // Enter or Space on the icon: what a double click does
  } else if (eventNumber == kContextMenu && KeyboardNotices) {
    eventNumber = kRightUp;  // the menu key, Shift+F10, or the end of a right click
  } else if (eventNumber == kRightUp && KeyboardNotices) {
    eventNumber = kRightDown;  // the menu comes with the WM_CONTEXTMENU that follows
  }
  TrayBusy = true;
  BusyGuard guard{TrayBusy};

  auto focusDelay = [this] {
    if (TimeForm* dialog = app.TimeFormIfLoaded()) dialog->SetFocus();
  };
  auto focusOptions = [this] {
    if (OptionsForm* dialog = app.OptionsFormIfLoaded()) dialog->SetFocus();
  };

  const bool& Stoping = state.Stoping;
  const bool& StopOptions = state.StopOptions;
  const bool& Reduced = state.Reduced;
  switch (eventNumber) {
    case kLeftDown:
      if (!Stoping && !StopOptions && !Reduced) {
        if (app.MainOpen()) app.MainWindow().SetFocus();
      }
      if (Stoping) focusDelay();
      if (StopOptions) focusOptions();
      break;
    case kLeftUp:
      break;
    case kLeftDouble: {
      if (Stoping || StopOptions) break;
      if (state.CountDown && !state.CmdTimStart) {
        app.Do().CountdownWindowShown();
        if (app.MainWindow().State() == ui::WindowState::Normal) Reduce();
        TimeStart& window = app.LoadTimeStart();
        window.Show();
        window.RefreshTimeStart();
      } else {
        // Restore leaves Reduced set for a moment, so one double click never does both.
        if (Reduced) Restore();
        if (!Reduced) Reduce();
      }
      break;
    }
    case kRightDown:
      if (Stoping) focusDelay();
      if (StopOptions) focusOptions();
      break;
    case kRightUp:
      if (Stoping)
        focusDelay();
      else if (StopOptions)
        focusOptions();
      else
        ShowTrayMenu();
      break;
    default:
      break;
  }
}
