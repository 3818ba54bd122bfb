#pragma once
// Popup menus: invisible containers of items, shown at the pointer.
#include <functional>
#include <string>
#include <vector>

namespace ui {

struct MenuItem {
  std::string name;
  std::string caption;  // "-" is a separator
  std::function<void()> onClick;
  bool IsSeparator() const { return caption == "-"; }
};

struct Menu {
  Menu(std::string name, std::string caption, std::vector<MenuItem> items);
  MenuItem* Find(const std::string& itemName);
  void SetCaption(const std::string& itemName, const std::string& caption);

  std::string name;
  std::string caption;
  std::vector<MenuItem> items;
};

}  // namespace ui
