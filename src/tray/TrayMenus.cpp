// The tray's popup menus: what they hold, which one a right click shows, and
// the main window's flows their items start.
#include <string>

#include "seams/Commands.h"
#include "seams/Postpone.h"
#include "seams/Windows.h"
#include "tray/SystrayIcon.h"
#include "ui/Services.h"

namespace {
// Each caption once, for the menus of the normal and the reduced window.
const char* const kReduceItem = "&Réduire Crepuscule";
const char* const kRestoreItem = "&Restaurer Crepuscule";
const char* const kQuitItem = "Qui&tter Crepuscule";
const char* const kPostponeItem = "Re&porter de 10 minutes";
const char* const kCancelShutdown = "A&nnuler l'Arrêt";
const char* const kCancelRestart = "A&nnuler le Redémarrage";
const char* const kCancelSleep = "A&nnuler la mise en Veille";
const char* const kCancelWait = "A&nnuler l'attente";
const char* const kShutdownItem = "&Arrêter";
const char* const kRestartItem = "&Redémarrer";
const char* const kSleepItem = "&Veille Prolongée";
const char* const kOptionsItem = "&Options";
ui::MenuItem Separator(const std::string& name) { return ui::MenuItem{name, "-", nullptr}; }
}  // namespace

void SystrayIcon::BuildMenus() {
  // Items give the main window's commands: its buttons' flows, as a left-button release
  // that always lies inside the button.
  auto shutdown = [this] { app.Do().Shutdown(); };
  auto restart = [this] { app.Do().Restart(); };
  auto sleep = [this] { app.Do().Sleep(); };
  auto options = [this] { app.Do().Options(); };
  auto cancel = [this] { app.Do().Cancel(); };
  auto postpone = [this] { app.Do().Postpone(kPostponeMinutes); };
  auto quit = [this] { app.Do().Quit(); };
  auto reduce = [this] { Reduce(); };
  auto restore = [this] { Restore(); };

  MnuFichier.items = {{"MnuArrete", kShutdownItem, shutdown}, {"MnuRedemarre", kRestartItem, restart},
                      {"MnuFerme", kSleepItem, sleep},        Separator("Separator09"),
                      {"Reduce4", kReduceItem, reduce},       Separator("Separator00"),
                      {"OptionMenuN", kOptionsItem, options}, {"MnuAnnul", kQuitItem, quit}};
  MnuShut.items = {{"Reduce1", kReduceItem, reduce},
                   Separator("Separator01"),
                   {"MnuReporte1", kPostponeItem, postpone},
                   {"MnuAnnul1", kCancelShutdown, cancel},
                   {"MnuAnnul8", kQuitItem, quit}};
  MnuReboot.items = {{"Reduce2", kReduceItem, reduce},
                     Separator("Separator02"),
                     {"MnuReporte2", kPostponeItem, postpone},
                     {"MnuAnnul2", kCancelRestart, cancel},
                     {"MnuAnnul9", kQuitItem, quit}};
  MnuClose.items = {{"Reduce3", kReduceItem, reduce},
                    Separator("Separator03"),
                    {"MnuReporte3", kPostponeItem, postpone},
                    {"MnuAnnul3", kCancelSleep, cancel},
                    {"MnuAnnul10", kQuitItem, quit}};

  MnuFichierR.items = {{"MnuArreteR", kShutdownItem, shutdown},
                       {"MnuRedemarreR", kRestartItem, restart},
                       {"MnuFermeR", kSleepItem, sleep},
                       Separator("Separator07"),
                       {"Restore4", "Restaurer Crepuscule", restore},
                       Separator("Separator08"),
                       {"OptionMenuR", kOptionsItem, options},
                       {"MnuAnnulR", kQuitItem, quit}};
  MnuShutR.items = {{"Restore1", kRestoreItem, restore},
                    Separator("Separator04"),
                    {"MnuReporte4", kPostponeItem, postpone},
                    {"MnuAnnul4", kCancelShutdown, cancel},
                    {"MnuAnnulR1", kQuitItem, quit}};
  MnuRebootR.items = {{"Restore2", kRestoreItem, restore},
                      Separator("Separator05"),
                      {"MnuReporte5", kPostponeItem, postpone},
                      {"MnuAnnul5", kCancelRestart, cancel},
                      {"MnuAnnulR2", kQuitItem, quit}};
  MnuCloseR.items = {{"Restore3", kRestoreItem, restore},
                     Separator("Separator06"),
                     {"MnuReporte6", kPostponeItem, postpone},
                     {"MnuAnnul6", kCancelSleep, cancel},
                     {"MnuAnnulR3", kQuitItem, quit}};
  MnuWait.items = {{"Reduce5", kReduceItem, reduce},
                   Separator("Separator10"),
                   {"MnuAnnulW", kCancelWait, cancel},
                   {"MnuAnnulW1", kQuitItem, quit}};
  MnuWaitR.items = {{"Restore5", kRestoreItem, restore},
                    Separator("Separator11"),
                    {"MnuAnnulWR", kCancelWait, cancel},
                    {"MnuAnnulWR1", kQuitItem, quit}};
}

ui::Menu* SystrayIcon::MenuFor(int action, bool reduced, std::string& defaultItem) {
  static const char* const kReduceItems[] = {"Reduce4", "Reduce1", "Reduce2", "Reduce3"};
  static const char* const kRestoreItems[] = {"Restore4", "Restore1", "Restore2", "Restore3"};
  ui::Menu* const normal[] = {&MnuFichier, &MnuShut, &MnuReboot, &MnuClose};
  ui::Menu* const inTray[] = {&MnuFichierR, &MnuShutR, &MnuRebootR, &MnuCloseR};
  if (action < 0 || action > 3) return nullptr;
  if (!state.WaitName.empty()) {
    defaultItem = reduced ? "Restore5" : "Reduce5";
    return reduced ? &MnuWaitR : &MnuWait;
  }
  if (!reduced) {
    defaultItem = kReduceItems[action];
    return normal[action];
  }
  const RunState& main = state;
  // While the countdown window is what a double click brings up, "Restaurer"
  // is not the double-click action and must not be drawn as the default.
  const bool doubleClickShowsCountdown = action != 0 && main.CountDown && !main.CmdTimStart;
  defaultItem = doubleClickShowsCountdown ? "" : kRestoreItems[action];
  return inTray[action];
}

void SystrayIcon::ShowTrayMenu() {
  // One menu per right click: Reduced is read once, so a timer that clears it
  // while the menu is open cannot bring up a second one.
  std::string defaultItem;
  if (ui::Menu* menu = MenuFor(state.Action, state.Reduced, defaultItem))
    app.Svc().menus.Popup(*this, *menu, defaultItem);
}
