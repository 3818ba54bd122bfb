// The balloon tooltip: one "Tooltips_Class32" window over a control's whole
// client area, built with the same calls in the same order every time.
#include "tooltip/cToolTip.h"

#include <algorithm>

#include "text/Text.h"
#include "ui/Control.h"

namespace {

constexpr std::uint32_t kTtsNoPrefix = 2;
constexpr std::uint32_t kTtfCenterTip = 2;
constexpr std::uint32_t kTtfSubclass = 0x10;
constexpr int kCwUseDefault = static_cast<int>(0x80000000u);
constexpr platform::Handle kHwndTopmost = static_cast<platform::Handle>(-1);
constexpr std::uint32_t kSwpNoSizeNoMoveNoActivate = 0x13;
constexpr std::uint32_t kTtmAddToolA = 0x404;
constexpr std::uint32_t kTtmSetTitleA = 0x420;
constexpr std::uint32_t kTtmSetTipTextColor = 0x414;
constexpr std::uint32_t kTtmSetTipBkColor = 0x413;
constexpr std::uint32_t kTtmSetDelayTime = 0x403;
constexpr std::uint32_t kTtmSetMaxTipWidth = 0x418;
// Generous for an 8-point font, so that a line is never wrapped: the width is
// a cap, the balloon still takes the width of its longest line.
constexpr int kPixelsPerChar = 10, kTipMargin = 32;
constexpr std::uintptr_t kTtdtAutoPop = 2;
constexpr std::uintptr_t kTtdtInitial = 3;
constexpr int kColorBtnText = 18;
constexpr int kColorInfoBk = 24;

bool ValidStyle(std::int32_t style) { return style == 0 || style == 1 || style == 64 || style == 65; }
bool ValidIcon(std::int32_t icon) { return icon >= 0 && icon <= 3; }

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  std::string::size_type at = 0;
  while ((at = text.find(from, at)) != std::string::npos) {
    text.replace(at, from.size(), to);
    at += to.size();
  }
  return text;
}

// Pixels the longest line of the text may need.
int MaxLineWidth(const std::string& text) {
  std::size_t longest = 0, start = 0;
  for (;;) {
    const std::size_t end = text.find("\r\n", start);
    longest = std::max(longest, CharCount(std::string_view(text).substr(start, end - start)));
    if (end == std::string::npos) break;
    start = end + 2;
  }
  return static_cast<int>(longest) * kPixelsPerChar + kTipMargin;
}

}  // namespace

cToolTip::cToolTip(platform::Platform& os) : os_(os) { os_.InitCommonControls(); }

cToolTip::~cToolTip() { Destroy(); }

void cToolTip::Destroy() {
  if (hwnd_ != 0) {
    os_.DestroyWindow(hwnd_);
    hwnd_ = 0;
  }
  style_ = -1;
}

// A negative colour names a system colour by its index in the low 31 bits.
std::uint32_t cToolTip::ResolveColour(std::int32_t colour) {
  if (colour < 0) return os_.GetSysColor(static_cast<int>(static_cast<std::uint32_t>(colour) & 0x7FFFFFFFu));
  return static_cast<std::uint32_t>(colour);
}

std::uintptr_t cToolTip::Create(const ui::Control& Parent, const std::string& Text, std::int32_t Style, bool Centered,
                                std::int32_t Icon, const std::string& Title, std::int32_t ForeColor,
                                std::int32_t BackColor, std::int32_t HoverTime, std::int32_t PopupTime) {
  Destroy();

  const platform::Handle parent = Parent.Hwnd();
  if (parent == 0) return 0;
  tool_.hwnd = parent;
  if (!ValidStyle(Style) || !ValidIcon(Icon)) return 0;

  tool_.cbSize = 44;
  tool_.uFlags = kTtfSubclass | (Centered ? kTtfCenterTip : 0u);
  os_.GetClientRect(parent, tool_.rect);
  tool_.hinst = os_.InstanceHandle();

  title_ = Title;
  if (initialTitle_.empty()) initialTitle_ = Title;

  // "|" breaks the line; a balloon without a title has room for one line only.
  std::string text = ReplaceAll(Text, "|", "\r\n");
  if (Title.empty()) text = ReplaceAll(text, "\r\n", " ");
  tool_.lpszText = text;
  if (initialText_.empty()) initialText_ = text;

  foreCol_ = ResolveColour(ForeColor);
  backCol_ = ResolveColour(BackColor);
  if (foreCol_ == backCol_) {
    // Unreadable (both left out, for instance): the system's tooltip colours.
    foreCol_ = os_.GetSysColor(kColorBtnText);
    backCol_ = os_.GetSysColor(kColorInfoBk);
  }
  style_ = Style;
  icon_ = Icon;

  // A failing call below is not examined; the remaining ones still run.
  hwnd_ = os_.CreateWindowExA(0, "Tooltips_Class32", nullptr, static_cast<std::uint32_t>(Style) + kTtsNoPrefix,
                              kCwUseDefault, kCwUseDefault, kCwUseDefault, kCwUseDefault, parent, 0,
                              os_.InstanceHandle(), nullptr);
  os_.SetWindowPos(hwnd_, kHwndTopmost, 0, 0, 0, 0, kSwpNoSizeNoMoveNoActivate);
  os_.SendMessageA(hwnd_, kTtmAddToolA, 0, tool_);
  // Until it has a maximum width, a tooltip shows nothing past the first line
  // break (Wine breaks them anyway).
  os_.SendMessageA(hwnd_, kTtmSetMaxTipWidth, 0, std::intptr_t{MaxLineWidth(tool_.lpszText)});
  os_.SendMessageA(hwnd_, kTtmSetTitleA, static_cast<std::uintptr_t>(Icon), title_);
  os_.SendMessageA(hwnd_, kTtmSetTipTextColor, foreCol_, std::intptr_t{0});
  os_.SendMessageA(hwnd_, kTtmSetTipBkColor, backCol_, std::intptr_t{0});
  os_.SendMessageA(hwnd_, kTtmSetDelayTime, kTtdtInitial, std::intptr_t{HoverTime});
  os_.SendMessageA(hwnd_, kTtmSetDelayTime, kTtdtAutoPop, std::intptr_t{PopupTime});
  return hwnd_;
}
