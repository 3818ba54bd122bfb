#pragma once
// The hidden application window of class "ThunderRT6Main". A second copy of
// the program finds the first by this window's class and caption, and brings
// forward the window just before it in the z-order: the main window. It also
// carries the scheduler's timer, hears the machine going to sleep and waking,
// and answers the test hook.
#include <windows.h>

#include <functional>
#include <string>

#include "win32/Window.h"

class AppWindow : public peers::OwnWindow {
 public:
  struct Handlers {
    std::function<void()> timer;            // WM_TIMER
    std::function<void(WPARAM)> power;      // WM_POWERBROADCAST's event
    std::function<void(WPARAM)> activate;   // a second copy asks to be shown the first, or to postpone
    std::function<std::string()> describe;  // the text sent back to the test hook
  };

  // Makes the window (never shown) with the given caption; null on failure.
  HWND Create(HINSTANCE instance, const std::string& title);
  // Puts this window just behind the main window in the z-order.
  void KeepBehind(HWND mainWindow);

  Handlers handlers;

 private:
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void AnswerDescribe(HWND requester);

  UINT describeMessage_ = 0;
  UINT activateMessage_ = 0;
};
