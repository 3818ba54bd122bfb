#pragma once
// Everything that differs from one power action to the next, in one place:
// what each window says of it (the Sleep action in the words of the moment),
// its icons and pictures, and its power call. The windows read this table
// instead of each picking its own texts by the action.
#include <cstdint>
#include <string>

struct RunState;
class ShutModule;

struct ActionTexts {
  std::string title;          // the main window's title while counting down
  std::string chosenTip;      // the tray tip once it is chosen
  std::string tipPrefix;      // the tray tip during the countdown, before the time left
  std::string cancelledTip;   // the tray tip while the cancel box waits
  std::string cancelledText;  // the cancel box
  std::string dialogCaption;  // the delay dialog
  std::string startCaption;   // the delay dialog's start button
  std::string windowCaption;  // the countdown window
  std::string verb;           // "Êtes-vous certain de vouloir <verb> immédiatement ?"
  std::string refusal;        // when the system refuses the call
};

// 1 Shutdown, 2 Restart, 3 Sleep; false for anything else, which shows nothing.
bool IsAction(std::int16_t action);
// The texts, with the Sleep action named as the run state words it now.
ActionTexts TextsOf(std::int16_t action, const RunState& state);

// The system-dependent choices, made here only and read from the system once,
// at start-up: they cannot change while the program runs.
struct SystemFacts {
  // XP gets the 256-colour icons and the 3D text boxes, and shows the last
  // seconds in the tray icon.
  bool xpLooks = false;
  bool nt5 = false;  // 2000 and later
  static SystemFacts Read(ShutModule& shut);
  // Hibernation is offered on 2000 and XP, and anywhere once forced.
  bool CanHibernate(bool forced) const { return nt5 || forced; }
};
// The action's tray and window icon: 256 colours (XP) or 16; 0 for no action.
int ActionIcon(std::int16_t action, bool xp);
// The countdown window's picture of the action; 0 for no action.
int ActionPicture(std::int16_t action);
// The tray icon of the last seconds: 1 to 5 seconds left.
int CountdownIcon(int secondsLeft);

// The action's power call (Sleep hibernates or stands by); true when the
// system took it. Every caller forces it.
bool CallPower(ShutModule& shut, std::int16_t action, bool hibernate);
