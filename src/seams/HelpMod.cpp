#include "seams/HelpMod.h"

#include "Version.h"
#include "seams/Windows.h"
#include "ui/Services.h"

std::string HelpText(const std::string& standByTxt) {
  const char* const lines[] = {
      "Voici les commandes supportées par Crep :",
      "",
      "      -m : lance Crepuscule en mode réduit",
      "      -a : lance directement la boîte de dialogue Arrêter",
      "      -r : lance directement la boîte de dialogue Redémarrer",
      nullptr,  // -v, completed with the current wording
      "      -n : est équivalent à la commande -t:0,0,0",
      "      -t:hh,mm,ss : programme le temps directement au format hh:mm:ss",
      "      -h:hh,mm,ss : programme le compteur comme -t: mais en mode horaire",
      "      -noding : passe Crepuscule en mode silence chuuutt !!...",
      "      -notimediag : désactive la fenêtre du temps qui s'affiche 3 secondes ...",
      "      -noconfirm : supprime la boîte de confirmation lors d'une annulation",
      "      -forcehibernation : force la mise en veille prolongée sur les systèmes non Xp...",
      "      -endinmain : Affichera le compteur final dans la fenêtre principale (old style)",
      "      -makecofee : Vous fait le café :D ...",
      "      -? : affiche cette aide",
      "",
      "Merci à Julien, Sophie, Mathieu et les autres ...",
  };
  std::string text;
  for (const char* line : lines) {
    text += line ? std::string(line) : "      -v : lance directement la boîte de dialogue " + standByTxt;
    text += "\r\n";
  }
  // The later switches come after the version, leaving the lines above where they always were.
  return text + "Crepuscule " CREP_VERSION
                "\r\n"
                "\r\n"
                "      -attendre:programme.exe : attend la fin de ce programme avant de commencer\r\n"
                "      -reporter:mm : repousse de mm minutes le compteur en cours";
}

void ShowHelp(Windows& app) {
  app.Svc().messageBoxes.Show(HelpText(app.State().StandByTxt), ui::kMbInformation, "Aide Crepuscule...");
}
