// The tray's popup menus: what they hold, which one a right click shows, and
// the main window's flows their items start.
#include <string>

#include "seams/Commands.h"
#include "seams/Postpone.h"
#include "seams/Windows.h"
#include "tray/SystrayIcon.h"
#include "ui/Services.h"

namespace {
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

  MnuFichier.items = {{"MnuArrete", "&Arrêter", shutdown},        {"MnuRedemarre", "&Redémarrer", restart},
                      {"MnuFerme", "&Veille Prolongée", sleep},   Separator("Separator09"),
                      {"Reduce4", "&Réduire Crepuscule", reduce}, Separator("Separator00"),
                      {"OptionMenuN", "&Options", options},       {"MnuAnnul", "Qui&tter Crepuscule", quit}};
  MnuShut.items = {{"Reduce1", "&Réduire Crepuscule", reduce},
                   Separator("Separator01"),
                   {"MnuReporte1", "Re&porter de 10 minutes", postpone},
                   {"MnuAnnul1", "A&nnuler l'Arrêt", cancel},
                   {"MnuAnnul8", "Qui&tter Crepuscule", quit}};
  MnuReboot.items = {{"Reduce2", "&Réduire Crepuscule", reduce},
                     Separator("Separator02"),
                     {"MnuReporte2", "Re&porter de 10 minutes", postpone},
                     {"MnuAnnul2", "A&nnuler le Redémarrage", cancel},
                     {"MnuAnnul9", "Qui&tter Crepuscule", quit}};
  MnuClose.items = {{"Reduce3", "&Réduire Crepuscule", reduce},
                    Separator("Separator03"),
                    {"MnuReporte3", "Re&porter de 10 minutes", postpone},
                    {"MnuAnnul3", "A&nnuler la mise en Veille", cancel},
                    {"MnuAnnul10", "Qui&tter Crepuscule", quit}};

  MnuFichierR.items = {{"MnuArreteR", "&Arrêter", shutdown},          {"MnuRedemarreR", "&Redémarrer", restart},
                       {"MnuFermeR", "&Veille Prolongée", sleep},     Separator("Separator07"),
                       {"Restore4", "Restaurer Crepuscule", restore}, Separator("Separator08"),
                       {"OptionMenuR", "&Options", options},          {"MnuAnnulR", "Qui&tter Crepuscule", quit}};
  MnuShutR.items = {{"Restore1", "&Restaurer Crepuscule", restore},
                    Separator("Separator04"),
                    {"MnuReporte4", "Re&porter de 10 minutes", postpone},
                    {"MnuAnnul4", "A&nnuler l'Arrêt", cancel},
                    {"MnuAnnulR1", "Qui&tter Crepuscule", quit}};
  MnuRebootR.items = {{"Restore2", "&Restaurer Crepuscule", restore},
                      Separator("Separator05"),
                      {"MnuReporte5", "Re&porter de 10 minutes", postpone},
                      {"MnuAnnul5", "A&nnuler le Redémarrage", cancel},
                      {"MnuAnnulR2", "Qui&tter Crepuscule", quit}};
  MnuCloseR.items = {{"Restore3", "&Restaurer Crepuscule", restore},
                     Separator("Separator06"),
                     {"MnuReporte6", "Re&porter de 10 minutes", postpone},
                     {"MnuAnnul6", "A&nnuler la mise en Veille", cancel},
                     {"MnuAnnulR3", "Qui&tter Crepuscule", quit}};
  MnuWait.items = {{"Reduce5", "&Réduire Crepuscule", reduce},
                   Separator("Separator10"),
                   {"MnuAnnulW", "A&nnuler l'attente", cancel},
                   {"MnuAnnulW1", "Qui&tter Crepuscule", quit}};
  MnuWaitR.items = {{"Restore5", "&Restaurer Crepuscule", restore},
                    Separator("Separator11"),
                    {"MnuAnnulWR", "A&nnuler l'attente", cancel},
                    {"MnuAnnulWR1", "Qui&tter Crepuscule", quit}};
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
