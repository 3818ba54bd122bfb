#pragma once
// One balloon tooltip window of the system class "Tooltips_Class32" attached
// to one windowed control.
#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace ui {
class Control;
}

class cToolTip {
 public:
  explicit cToolTip(platform::Platform& os);
  ~cToolTip();
  cToolTip(const cToolTip&) = delete;
  cToolTip& operator=(const cToolTip&) = delete;

  // Returns the tooltip window handle, 0 when nothing was created.
  std::uintptr_t Create(const ui::Control& Parent, const std::string& Text, std::int32_t Style = 0,
                        bool Centered = false, std::int32_t Icon = 0, const std::string& Title = "",
                        std::int32_t ForeColor = 0, std::int32_t BackColor = 0, std::int32_t HoverTime = 0,
                        std::int32_t PopupTime = 0);

  std::uintptr_t Hwnd() const { return hwnd_; }
  std::int32_t Style() const { return style_; }
  std::int32_t Icon() const { return icon_; }
  std::uint32_t ForeCol() const { return foreCol_; }
  std::uint32_t BackCol() const { return backCol_; }
  const std::string& Title() const { return title_; }
  const std::string& InitialText() const { return initialText_; }
  const std::string& InitialTitle() const { return initialTitle_; }
  const std::string& Text() const { return tool_.lpszText; }
  bool Centered() const { return (tool_.uFlags & 2u) != 0; }

 private:
  void Destroy();
  std::uint32_t ResolveColour(std::int32_t colour);
  platform::Platform& os_;
  std::uintptr_t hwnd_ = 0;
  std::int32_t style_ = -1, icon_ = 0;
  std::uint32_t foreCol_ = 0, backCol_ = 0;
  std::string title_, initialText_, initialTitle_;
  platform::ToolInfo tool_;
};
