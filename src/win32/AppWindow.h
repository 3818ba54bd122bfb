#pragma once
// The hidden application window of class "ThunderRT6Main". A second copy of
// the program finds the first by this window's class and caption, and brings
// forward the window just before it in the z-order: the main window. It also
// carries the scheduler's timer and answers the test hook.
#include <windows.h>

#include <functional>
#include <string>

// Creates the window (never shown) with the given caption; null on failure.
HWND CreateAppWindow(HINSTANCE instance, const std::wstring& title);
HWND AppWindow();
// Puts the application window just behind the main window in the z-order.
void KeepAppWindowBehind(HWND mainWindow);

// Called on WM_TIMER of the application window.
void SetAppTimerHandler(std::function<void()> onTimer);
// Builds the text sent back for the "CrepusculeDescribe" request.
void SetDescribeSource(std::function<std::string()> describe);
