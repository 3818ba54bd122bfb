#include "ui/Menu.h"

#include "ui/Form.h"

namespace ui {

Menu::Menu(Form& owner, std::string n, std::string c, std::vector<MenuItem> i)
    : name(std::move(n)), caption(std::move(c)), items(std::move(i)) {
  owner.menus_.push_back(this);
}

MenuItem* Menu::Find(const std::string& itemName) {
  for (MenuItem& item : items)
    if (item.name == itemName) return &item;
  return nullptr;
}

void Menu::SetCaption(const std::string& itemName, const std::string& newCaption) {
  if (MenuItem* item = Find(itemName)) item->caption = newCaption;
}

}  // namespace ui
