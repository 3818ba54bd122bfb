#pragma once
// The plain values the toolkit passes around: colours, rectangles in twips,
// fonts and mouse events.
#include <cstdint>
#include <string>

namespace ui {

using Colour = std::uint32_t;  // 0x00BBGGRR, as Windows colours are laid out
constexpr Colour Rgb(int r, int g, int b) {
  return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}
// One of the system's colours, by its index (COLOR_WINDOW...), as the user set it.
constexpr Colour SystemColour(int index) { return 0x80000000u | static_cast<Colour>(index & 0xFF); }
constexpr Colour kWindowColour = SystemColour(5), kWindowTextColour = SystemColour(8),
                 kGrayTextColour = SystemColour(17);
constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr Colour kBlack = Rgb(0, 0, 0);

struct TwipsRect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const TwipsRect&) const = default;
};

struct Font {
  std::string name = "Tahoma";
  double size = 8.25;
  bool bold = false;
};

// Mouse event arguments as the handlers receive them: button 1 left, 2 right,
// 4 middle (for moves the sum of the buttons held); x and y in twips, relative
// to the control.
struct MouseArgs {
  int button = 0;
  int shift = 0;
  float x = 0;
  float y = 0;
};

}  // namespace ui
