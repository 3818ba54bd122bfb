#include "seams/Actions.h"

#include "power/ShutModule.h"
#include "seams/ResourceIds.h"
#include "seams/RunState.h"
#include "seams/Texts.h"

bool IsAction(std::int16_t action) { return action >= 1 && action <= 3; }

ActionTexts TextsOf(std::int16_t action, const RunState& state) {
  switch (action) {
    case 1:
      return {"Arrêt de l'ordinateur...",
              "Arrêt de l'ordinateur",
              "Arrêt dans ",
              "Arrêt annulé.",
              "Extinction de l'ordinateur annulée.",
              kShutdownTitle,
              kShutdownVerb,
              "Arrêt ...",
              "arrêter",
              "Windows a refusé d'arrêter l'ordinateur."};
    case 2:
      return {"Redémarrage de l'ordinateur...",
              "Redémarrage de l'ordinateur",
              "Redémarrage dans ",
              "Redémarrage annulé.",
              "Redémarrage de l'ordinateur annulé.",
              "Redémarrer l'ordinateur",
              kRestartVerb,
              "Redémarrage ...",
              "redémarrer",
              "Windows a refusé de redémarrer l'ordinateur."};
    case 3: {
      const std::string cancelled = "Mise en " + state.StandByTxt + " annulée.";
      return {"Mise en " + state.StandByTxt + "...",
              state.StandByTxt + "...",
              "Mise en " + state.StandByTxt + " dans ",
              cancelled,
              cancelled,
              "Mise en " + state.StandByTxt,
              "Ok",
              "Mise en " + state.StandByTxt + " ...",
              "mettre en " + state.StandByTxtmin,
              "Windows a refusé de mettre l'ordinateur en veille."};
    }
    default:
      return {};
  }
}

SystemFacts SystemFacts::Read(ShutModule& shut) {
  SystemFacts facts;
  facts.xpLooks = shut.GetOSName() == "Xp";
  facts.nt5 = shut.IsNT5();
  return facts;
}

int ActionIcon(std::int16_t action, bool xp) {
  switch (action) {
    case 1:
      return xp ? IDI_SHUTDOWN : IDI_SHUTDOWN16;
    case 2:
      return xp ? IDI_RESTART : IDI_RESTART16;
    case 3:
      return xp ? IDI_SLEEP : IDI_SLEEP16;
    default:
      return 0;
  }
}

int ActionPicture(std::int16_t action) {
  static const int pictures[] = {0, IDB_ARRET_PICT, IDB_REBOOTE_PICT, IDB_STANDBY_PICT};
  return IsAction(action) ? pictures[action] : 0;
}

int CountdownIcon(int secondsLeft) {
  static const int icons[] = {0, IDI_COUNT1, IDI_COUNT2, IDI_COUNT3, IDI_COUNT4, IDI_COUNT5};
  return secondsLeft >= 1 && secondsLeft <= 5 ? icons[secondsLeft] : 0;
}

bool CallPower(ShutModule& shut, std::int16_t action, bool hibernate) {
  bool force = true;
  switch (action) {
    case 1:
      return shut.ShutdownComputer(force);
    case 2:
      return shut.RestartComputer(force);
    case 3:
      return shut.SuspendComputer(hibernate);
    default:
      return false;
  }
}
