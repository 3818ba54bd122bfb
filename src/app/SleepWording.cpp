// The Sleep action's words, which follow the forced option and the Shift key
// while the program runs, and the balloons of the action buttons.
#include "app/SleepWording.h"

#include <string>

#include "app/MainForm.h"
#include "platform/Platform.h"
#include "seams/Actions.h"
#include "seams/Texts.h"
#include "seams/Windows.h"
#include "tooltip/cToolTip.h"
#include "tray/SystrayIcon.h"

namespace {

// Tooltip look shared by the three action buttons.
constexpr std::int32_t kBalloon = 64, kInfoIcon = 1, kDefaultHover = -1, kPopupMs = 20000;
constexpr std::int32_t kButtonTextColour = static_cast<std::int32_t>(0x80000012);
constexpr std::int32_t kTooltipBackColour = static_cast<std::int32_t>(0x80000018);

const char* const kHibernateBalloon =
    " |Plonge votre ordinateur dans un coma profond ...|C'est sympa on est plus obligé de sauvegarder nos "
    "documents|actifs quand on veut éteindre l'ordinateur !!||Pressez sur [Shift] pour avoir la mise en veille "
    "classique...";
const char* const kStandbyBalloon =
    " |Plonge votre ordinateur dans le coma ...|C'est sympa pour faire des économies d'électricité sans fermer "
    "les|documents actifs !!";

}  // namespace

SleepWording::SleepWording(MainForm& main) : CheckMaj(main, "CheckMaj", 100, true), main_(main) {
  CheckMaj.onTick = [this] { CheckMaj_Timer(); };
}

SleepWording::~SleepWording() = default;

Windows& SleepWording::app() const { return main_.app; }

void SleepWording::AddBalloons() {
  AddToolTip(main_.ArreteBrillant, "Programmer l'arrêt de l'ordinateur",
             " |Arrêtez Windows (c'est bon pour le moral) ce qui vous permettra|de mettre votre ordinateur hors "
             "tension en toute sécurité sans|même y penser.");
  AddToolTip(main_.RebooteBrillant, "Programmer le redémarrage de Windows",
             " |Ferme Windows et redémarre ... Très pratique quand ça commence à être|le bordel dans le système. (à "
             "faire environ toutes les 2 heures ... lol)");
  AddToolTip(main_.VeilleProlongeeBrillant, "Programmer la mise en " + main_.StandByTxtmin,
             main_.LongStandby ? kHibernateBalloon : kStandbyBalloon);
}

void SleepWording::DropBalloons() { ToolTips.clear(); }

void SleepWording::AddToolTip(ui::Control& button, const std::string& title, const std::string& text) {
  std::unique_ptr<cToolTip>& tip = ToolTips[button.Name()];
  if (!tip) tip = std::make_unique<cToolTip>(app().Os());
  // Made again by the same object, the old window goes first: two balloons
  // on one button share its subclass, and the old one's end would take it.
  tip->Create(button, text, kBalloon, true, kInfoIcon, title, kButtonTextColour, kTooltipBackColour, kDefaultHover,
              kPopupMs);
}

void SleepWording::ApplySleepWording() {
  const bool canHibernate = app().System().CanHibernate(main_.ForceHibern);
  if (!canHibernate) ShiftHeld = false;  // its watcher stops
  main_.LongStandby = canHibernate && !ShiftHeld;
  main_.StandByTxt = main_.LongStandby ? kHibernateName : "veille";
  main_.StandByTxtmin = main_.LongStandby ? "veille prolongée" : "veille";
  main_.VeilleProlongeeLabel.SetCaption(main_.LongStandby ? main_.StandByTxt : "Mettre en " + main_.StandByTxt);
  CheckMaj.SetEnabled(canHibernate);

  if (SystrayIcon* tray = app().Tray()) tray->ShowSleepWording();
  // The balloons exist once start-up has shown the window; this one is made again
  // only when its words change.
  const auto* tip = ToolTips.Find(main_.VeilleProlongeeBrillant.Name());
  const std::string title = "Programmer la mise en " + main_.StandByTxtmin;
  if (tip && (*tip)->Title() != title)
    AddToolTip(main_.VeilleProlongeeBrillant, title, main_.LongStandby ? kHibernateBalloon : kStandbyBalloon);
}

std::string SleepWording::SleepMenuCaption() const {
  return main_.LongStandby ? "&Veille Prolongée" : "Mise en &" + main_.StandByTxt;
}

void SleepWording::WatchShift(bool on) { CheckMaj.SetEnabled(on && app().System().CanHibernate(main_.ForceHibern)); }

void SleepWording::CheckMaj_Timer() {
  const bool down = app().Os().GetAsyncKeyState(platform::kVkShift) != 0;
  if (down == ShiftHeld) return;
  ShiftHeld = down;
  ApplySleepWording();
}
