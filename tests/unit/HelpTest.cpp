// The help box lists the switches.
#include <gtest/gtest.h>

#include "AppFixture.h"
#include "Version.h"

namespace {

TEST(Help, TextIsExact) {
  Started f("-?");
  EXPECT_EQ(f.Boxes(),
            Lines{"Voici les commandes supportées par Crep :\r\n"
                  "\r\n"
                  "      -m : lance Crepuscule en mode réduit\r\n"
                  "      -a : lance directement la boîte de dialogue Arrêter\r\n"
                  "      -r : lance directement la boîte de dialogue Redémarrer\r\n"
                  "      -v : lance directement la boîte de dialogue Veille prolongée\r\n"
                  "      -n : est équivalent à la commande -t:0,0,0\r\n"
                  "      -t:hh,mm,ss : programme le temps directement au format hh:mm:ss\r\n"
                  "      -h:hh,mm,ss : programme le compteur comme -t: mais en mode horaire\r\n"
                  "      -noding : passe Crepuscule en mode silence chuuutt !!...\r\n"
                  "      -notimediag : désactive la fenêtre du temps qui s'affiche 3 secondes ...\r\n"
                  "      -noconfirm : supprime la boîte de confirmation lors d'une annulation\r\n"
                  "      -forcehibernation : force la mise en veille prolongée sur les systèmes non Xp...\r\n"
                  "      -endinmain : Affichera le compteur final dans la fenêtre principale (old style)\r\n"
                  "      -makecofee : Vous fait le café :D ...\r\n"
                  "      -? : affiche cette aide\r\n"
                  "\r\n"
                  "Merci à Julien, Sophie, Mathieu et les autres ...\r\n"
                  "Crepuscule " CREP_VERSION "\r\n"
                  "\r\n"
                  "      -attendre:programme.exe : attend la fin de ce programme avant de commencer\r\n"
                  "      -reporter:mm : repousse de mm minutes le compteur en cours [64 Aide Crepuscule...]"});
  // No window, no tray icon.
  EXPECT_EQ(std::tuple(f.app->Ended(), f.Main().Visible(), f.os.CallsNamed("Shell_NotifyIconA")),
            std::tuple(true, false, Lines{}));
}

}  // namespace
