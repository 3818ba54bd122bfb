#pragma once
// What the forms need from their surroundings: timers, message boxes, popup
// menus, the clock, the screen, text measuring and the platform peers. Each
// has a real (win32/) and a fake (below and in ui/Fakes.h) implementation.
#include <functional>
#include <memory>
#include <string>

#include "ui/Types.h"

namespace ui {

class Form;
class Scheduler;
struct Menu;

enum MessageBoxFlags { kMbOkCancel = 1, kMbQuestion = 32, kMbExclamation = 48, kMbInformation = 64 };
enum MessageBoxResult { kIdOk = 1, kIdCancel = 2 };

class MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;
  // Modal; returns the button pressed (1 OK, 2 Cancel).
  virtual int Show(const std::string& text, int flags, const std::string& title) = 0;
};

class MenuService {
 public:
  virtual ~MenuService() = default;
  // Pops the menu up at the pointer; the chosen item's handler has run when it
  // returns. An empty defaultItem means no default (bold) item.
  virtual void Popup(Form& owner, Menu& menu, const std::string& defaultItem) = 0;
};

struct TimeOfDay {
  int hour = 0, minute = 0, second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual TimeOfDay Now() const = 0;
  // The time of day in the system's time format.
  virtual std::string FormatNow() const = 0;
};

class Screen {
 public:
  virtual ~Screen() = default;
  virtual int WidthTwips() const = 0;
  virtual int HeightTwips() const = 0;
  virtual int TwipsPerPixelX() const { return 15; }
  virtual int TwipsPerPixelY() const { return 15; }
  // Width in twips of a text in a font, for labels that size themselves.
  virtual int TextWidthTwips(const std::string& text, const Font& font) const;
  // The user asked for high contrast: the system's colours, not the program's own.
  virtual bool HighContrast() const { return false; }
};

// Creates the on-screen mirror of a form and its controls when it loads.
class PeerFactory {
 public:
  virtual ~PeerFactory() = default;
  virtual void CreatePeers(Form& form) = 0;
};

struct Services {
  Scheduler& scheduler;
  MessageBoxService& messageBoxes;
  MenuService& menus;
  Clock& clock;
  Screen& screen;
  PeerFactory* peers = nullptr;  // null: headless
  Form* activeForm = nullptr;    // the form that last got the focus
};

}  // namespace ui
