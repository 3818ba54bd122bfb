#include "win32/Win32Services.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "app/Describe.h"
#include "ui/Form.h"
#include "ui/Menu.h"
#include "win32/Api.h"
#include "win32/Backend.h"
#include "win32/Dynamic.h"
#include "win32/Paint.h"
#include "win32/Scoped.h"
#include "win32/Trace.h"
#include "win32/Win32Text.h"

namespace {
constexpr UINT_PTR kSchedulerTimerId = 1;
constexpr int kTwipsPerInch = 1440;
}  // namespace

Win32Scheduler::Win32Scheduler(HWND window)
    : window_(window), unbiased_(LookUp<UnbiasedTime>("kernel32.dll", "QueryUnbiasedInterruptTime")) {}

std::int64_t Win32Scheduler::Now() const {
  ULONGLONG hundredNs = 0;
  if (unbiased_ && unbiased_(&hundredNs)) return static_cast<std::int64_t>(hundredNs / 10000);
  return ticks_.Read(GetTickCount());
}

void Win32Scheduler::OnPower(WPARAM event) {
  if (unbiased_) return;  // that clock knows about sleep itself
  switch (event) {
    case PBT_APMSUSPEND:
      ticks_.Suspending(GetTickCount());
      break;
    case PBT_APMRESUMESUSPEND:
    case PBT_APMRESUMECRITICAL:
    case PBT_APMRESUMEAUTOMATIC:
      ticks_.Resumed(GetTickCount());
      Rearm();
      break;
    default:
      break;
  }
}

void Win32Scheduler::Rearm() {
  const auto next = NextDeadline();
  if (!next) {
    if (armed_) KillTimer(window_, kSchedulerTimerId);
    armed_ = false;
    return;
  }
  const std::int64_t wait = std::clamp<std::int64_t>(*next - Now(), USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
  // One timer for all: replaced at each rearm, it wakes the loop at the next deadline.
  armed_ = Traced(SetTimer(window_, kSchedulerTimerId, static_cast<UINT>(wait), nullptr), "SetTimer") != 0;
}

int Win32MessageBoxes::Show(const std::string& text, int flags, const std::string& title) {
  HWND owner = nullptr;
  if (services && services->activeForm) owner = reinterpret_cast<HWND>(services->activeForm->Hwnd());
  if (owner && !IsWindow(owner)) owner = nullptr;
  return MessageBoxW(owner, Widen(text).c_str(), Widen(title).c_str(), static_cast<UINT>(flags));
}

void Win32Menus::Popup(ui::Form& owner, ui::Menu& menu, const std::string& defaultItem) {
  // Recorded first, so the test hook can read the menu while it is open.
  lastMenu_ = DescribeMenu(menu, defaultItem);
  scoped::Menu menuHandle(Traced(CreatePopupMenu(), "CreatePopupMenu"));
  HMENU popup = menuHandle.Get();
  if (!popup) return;
  for (std::size_t i = 0; i < menu.items.size(); ++i) {
    const ui::MenuItem& item = menu.items[i];
    if (item.IsSeparator())
      AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    else
      api::AppendMenuItem(popup, static_cast<UINT>(i + 1), item.caption);
    if (!defaultItem.empty() && item.name == defaultItem) SetMenuDefaultItem(popup, static_cast<UINT>(i + 1), FALSE);
  }
  HWND window = reinterpret_cast<HWND>(owner.Hwnd());
  if (!window || !IsWindow(window)) window = TheBackend().app.Hwnd();
  // Without the foreground the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(window);
  POINT at{};
  GetCursorPos(&at);
  const int chosen =
      static_cast<int>(TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr));
  // Lets the next tray click open the menu again at once.
  PostMessageA(window, WM_NULL, 0, 0);
  menuHandle.Reset();
  if (chosen <= 0 || static_cast<std::size_t>(chosen) > menu.items.size()) return;
  // The handler may close the window that owns the menu: keep our own copy.
  const std::function<void()> onClick = menu.items[static_cast<std::size_t>(chosen) - 1].onClick;
  if (onClick) onClick();
}

ui::TimeOfDay Win32Clock::Now() const {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  return ui::TimeOfDay{t.wHour, t.wMinute, t.wSecond};
}

std::string Win32Clock::FormatNow() const { return api::TimeOfDay(); }

Win32Screen::Win32Screen() {
  if (scoped::GetDC screen(nullptr); screen) {
    dpiX_ = std::max(1, GetDeviceCaps(screen, LOGPIXELSX));
    dpiY_ = std::max(1, GetDeviceCaps(screen, LOGPIXELSY));
  }
  twipsPerPixelX_ = std::max(1, kTwipsPerInch / dpiX_);
  twipsPerPixelY_ = std::max(1, kTwipsPerInch / dpiY_);
}

int Win32Screen::WidthTwips() const { return GetSystemMetrics(SM_CXSCREEN) * twipsPerPixelX_; }

int Win32Screen::HeightTwips() const { return GetSystemMetrics(SM_CYSCREEN) * twipsPerPixelY_; }

int Win32Screen::TextWidthTwips(const std::string& text, const ui::Font& font) const {
  scoped::GetDC screen(nullptr);
  if (!screen) return ui::Screen::TextWidthTwips(text, font);
  scoped::Select selected(screen, peers::FontFor(font));
  const std::wstring wide = Widen(text);
  SIZE size{};
  GetTextExtentPoint32W(screen, wide.c_str(), static_cast<int>(wide.size()), &size);
  return size.cx * twipsPerPixelX_;
}

bool Win32Screen::HighContrast() const {
  // 95 and NT 4 without the accessibility options refuse the question: no high contrast there.
  HIGHCONTRASTA contrast{};
  contrast.cbSize = sizeof contrast;
  return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}
