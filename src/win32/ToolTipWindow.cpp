#include "win32/ToolTipWindow.h"

#include <commctrl.h>

#include "win32/Api.h"
#include "win32/CommonControls.h"
#include "win32/Trace.h"
#include "win32/Win32Text.h"

namespace peers {

ToolTipWindow::ToolTipWindow(bool wide) : wide_(wide && api::Wide()) {}

HWND ToolTipWindow::Make(DWORD exStyle, const char* className, const char* name, DWORD style, int x, int y, int width,
                         int height, HWND parent, HMENU menu, HINSTANCE instance) {
  if (wide_) {
    const std::wstring wideName = name ? Widen(name) : std::wstring();
    hwnd_ = Traced(CreateWindowExW(exStyle, Widen(className).c_str(), name ? wideName.c_str() : nullptr, style, x, y,
                                   width, height, parent, menu, instance, nullptr),
                   "CreateWindowExW");
  } else {
    const std::string ansiName = name ? ToAnsi(name) : std::string();
    hwnd_ = Traced(CreateWindowExA(exStyle, ToAnsi(className).c_str(), name ? ansiName.c_str() : nullptr, style, x, y,
                                   width, height, parent, menu, instance, nullptr),
                   "CreateWindowExA");
  }
  return hwnd_;
}

BOOL ToolTipWindow::Destroy() {
  const BOOL done = hwnd_ ? DestroyWindow(hwnd_) : FALSE;
  hwnd_ = nullptr;
  return done;
}

LRESULT ToolTipWindow::SendTool(UINT wideMessage, UINT ansiMessage, const Tool& tool) {
  // The A and W records are laid out alike; only the text differs, and the size
  // is the one this system's common controls accept.
  TTTOOLINFOW record{};
  record.cbSize = ToolInfoSize(InstalledCommonControls(), wide_);
  record.uFlags = tool.flags;
  record.hwnd = tool.owner;
  record.uId = tool.id;
  record.rect = tool.rect;
  record.hinst = tool.instance;
  std::wstring wide;
  std::string ansi;
  if (!tool.text) {
    record.lpszText = LPSTR_TEXTCALLBACKW;  // the same value as the A form's
  } else if (wide_) {
    wide = Widen(*tool.text);
    record.lpszText = wide.data();
  } else {
    ansi = ToAnsi(*tool.text);
    record.lpszText = reinterpret_cast<LPWSTR>(ansi.data());
  }
  return Send(wide_ ? wideMessage : ansiMessage, 0, reinterpret_cast<LPARAM>(&record));
}

LRESULT ToolTipWindow::AddTool(const Tool& tool) { return SendTool(TTM_ADDTOOLW, TTM_ADDTOOLA, tool); }

void ToolTipWindow::RemoveTool(HWND owner, UINT_PTR id) {
  Tool tool;
  tool.owner = owner;
  tool.id = id;
  SendTool(TTM_DELTOOLW, TTM_DELTOOLA, tool);
}

LRESULT ToolTipWindow::SetTitle(WPARAM icon, const std::string& title) {
  if (wide_) return Send(TTM_SETTITLEW, icon, reinterpret_cast<LPARAM>(Widen(title).c_str()));
  return Send(TTM_SETTITLEA, icon, reinterpret_cast<LPARAM>(ToAnsi(title).c_str()));
}

LRESULT ToolTipWindow::Send(UINT message, WPARAM wParam, LPARAM lParam) {
  // A negative delay means "the system's default". Windows reads it so; Wine
  // takes the low word (65535 ms), so the default is spelled out here.
  if (message == TTM_SETDELAYTIME && lParam < 0) {
    const LPARAM initial = static_cast<LPARAM>(GetDoubleClickTime());
    lParam = wParam == TTDT_AUTOPOP ? initial * 10 : wParam == TTDT_RESHOW ? initial / 5 : initial;
  }
  return wide_ ? SendMessageW(hwnd_, message, wParam, lParam) : SendMessageA(hwnd_, message, wParam, lParam);
}

bool ToolTipWindow::AsksText(const NMHDR& header) const {
  return hwnd_ && header.hwndFrom == hwnd_ && (header.code == TTN_GETDISPINFOW || header.code == TTN_GETDISPINFOA);
}

void ToolTipWindow::GiveText(LPARAM dispInfo, const std::string& text) {
  // The two forms of the record agree up to the text fields.
  auto* info = reinterpret_cast<NMTTDISPINFOW*>(dispInfo);
  if (info->hdr.code == TTN_GETDISPINFOW) {
    wideText_ = Widen(text);
    info->lpszText = wideText_.data();
    info->szText[0] = L'\0';
  } else {
    auto* ansi = reinterpret_cast<NMTTDISPINFOA*>(dispInfo);
    ansiText_ = ToAnsi(text);
    ansi->lpszText = ansiText_.data();
    ansi->szText[0] = '\0';
  }
  info->hinst = nullptr;
}

}  // namespace peers
