#include "ui/Fakes.h"

#include "ui/Menu.h"

namespace ui {

int Screen::TextWidthTwips(const std::string& text, const Font& font) const {
  // Headless estimate: about half an em per character.
  std::size_t chars = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++chars;
  const double emTwips = font.size * 20.0;
  return static_cast<int>(chars * emTwips * (font.bold ? 0.55 : 0.5));
}

int FakeMessageBoxes::Show(const std::string& text, int flags, const std::string& title) {
  shown.push_back({text, flags, title});
  if (onShow) onShow(shown.back());
  if (answers.empty()) return kIdOk;
  const int answer = answers.front();
  answers.pop_front();
  return answer;
}

void FakeMenus::Popup(Form&, Menu& menu, const std::string& defaultItem) {
  ShownMenu record{menu.name, {}, defaultItem};
  for (const MenuItem& item : menu.items) record.captions.push_back(item.caption);
  shown.push_back(record);
  if (choices.empty()) return;
  const std::string choice = choices.front();
  choices.pop_front();
  if (MenuItem* item = menu.Find(choice))
    if (item->onClick) item->onClick();
}

std::string FakeClock::FormatNow() const {
  std::string text;
  for (int part : {now.hour, now.minute, now.second}) {
    if (!text.empty()) text += ':';
    if (part >= 0 && part < 10) text += '0';
    text += std::to_string(part);
  }
  return text;
}

}  // namespace ui
