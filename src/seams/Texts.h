#pragma once
// Texts shown in more than one place, written once here; the tests read them
// here too.

// The program's name: its main window, the titles of its boxes, the idle tray tip.
inline constexpr char kProgramName[] = "Crepuscule";
inline constexpr const char* kIdleTip = kProgramName;
// The idle main window's title, and the delay dialog's for a shutdown.
inline constexpr char kShutdownTitle[] = "Arrêter l'ordinateur";
// The actions as the main window's buttons, the options and the delay dialog's start button name them.
inline constexpr char kShutdownVerb[] = "Arrêter";
inline constexpr char kRestartVerb[] = "Redémarrer";
// The Sleep action where it hibernates.
inline constexpr char kHibernateName[] = "Veille prolongée";
// Every window's cancel button.
inline constexpr char kCancelCaption[] = "Annuler";
