#include "ui/Menu.h"

namespace ui {

Menu::Menu(std::string n, std::string c, std::vector<MenuItem> i)
    : name(std::move(n)), caption(std::move(c)), items(std::move(i)) {}

MenuItem* Menu::Find(const std::string& itemName) {
  for (MenuItem& item : items)
    if (item.name == itemName) return &item;
  return nullptr;
}

void Menu::SetCaption(const std::string& itemName, const std::string& newCaption) {
  if (MenuItem* item = Find(itemName)) item->caption = newCaption;
}

}  // namespace ui
