#pragma once
// One window of the system's tooltip class and its tools: the only code that
// speaks to one, for the action buttons' balloons (made through the platform
// calls, in the A form everywhere) and for the forms' tips (in the form the
// system takes, W on the NT family, so that any text shows right).
#include <windows.h>

#include <string>

namespace peers {

class ToolTipWindow {
 public:
  // wide: W messages where the system takes them; A messages everywhere otherwise.
  explicit ToolTipWindow(bool wide);
  ~ToolTipWindow() { Destroy(); }
  ToolTipWindow(const ToolTipWindow&) = delete;
  ToolTipWindow& operator=(const ToolTipWindow&) = delete;

  // Null when it could not be made. name may be null.
  HWND Make(DWORD exStyle, const char* className, const char* name, DWORD style, int x, int y, int width, int height,
            HWND parent, HMENU menu, HINSTANCE instance);
  // What DestroyWindow said; FALSE when there was no window.
  BOOL Destroy();
  HWND Handle() const { return hwnd_; }

  struct Tool {
    UINT flags = 0;
    HWND owner = nullptr;
    UINT_PTR id = 0;  // the child window itself with TTF_IDISHWND
    RECT rect{};
    HINSTANCE instance = nullptr;
    const std::string* text = nullptr;  // null: asked for each time it shows (TTN_GETDISPINFO)
  };
  // Non-zero when the tool was taken.
  LRESULT AddTool(const Tool& tool);
  void RemoveTool(HWND owner, UINT_PTR id);
  LRESULT SetTitle(WPARAM icon, const std::string& title);
  // A message carrying no text; a negative delay is the system's default.
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam);

  // This window asks for a tool's text.
  bool AsksText(const NMHDR& header) const;
  // The answer, in the form asked (NMTTDISPINFOA or W); it stays valid until the next one.
  void GiveText(LPARAM dispInfo, const std::string& text);

 private:
  LRESULT SendTool(UINT wideMessage, UINT ansiMessage, const Tool& tool);

  HWND hwnd_ = nullptr;
  bool wide_;
  std::wstring wideText_;
  std::string ansiText_;
};

}  // namespace peers
