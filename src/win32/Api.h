#pragma once
// Window, message and text calls in the form each system takes: the W forms
// on the NT family, the A forms (texts in the ANSI code page) on Windows 95,
// 98 and Me, where almost every W call is a stub that only fails. Calls that
// carry no text are made in their A form everywhere.
#include <windows.h>

#include <string>

namespace api {

// True on the NT family.
bool Wide();

// Registers a window class of ours, once.
void RegisterWindowClass(HINSTANCE instance, WNDPROC proc, const char* className, UINT style);
HWND MakeWindow(DWORD exStyle, const char* className, const std::string& text, DWORD style, int x, int y, int width,
                int height, HWND parent, HMENU menu, HINSTANCE instance, void* param);
LRESULT DefProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Puts proc in place of the window's procedure; returns the one it replaced,
// which CallProc passes the messages on to.
WNDPROC Subclass(HWND window, WNDPROC proc);
LRESULT CallProc(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The object of ours behind a window (its user data).
void* ObjectOf(HWND window);
void SetObject(HWND window, void* object);
// The object given at creation, from WM_NCCREATE's lParam.
void* CreationObject(LPARAM lParam);

void SetText(HWND window, const std::string& utf8);
std::string Text(HWND window);

// One message of the loop; false once WM_QUIT (or an error) comes.
bool NextMessage(MSG& msg);
void Dispatch(const MSG& msg);

void AppendMenuItem(HMENU menu, UINT id, const std::string& caption);
// The time of day in the user's format.
std::string TimeOfDay();
// The program's arguments, without its own path.
std::string CommandLineArguments();
// The arguments of a command line: the program path skipped as Windows parses
// it (quoted up to the next quote, else up to the first blank or tab). No
// trail byte of an ANSI double-byte character is a quote, blank or tab.
std::wstring ArgumentsOf(const std::wstring& commandLine);
std::string ArgumentsOf(const std::string& commandLine);

}  // namespace api
