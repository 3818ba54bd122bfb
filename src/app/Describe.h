#pragma once
// A plain-text picture of the program's windows, for the end-to-end tests:
// one line per form, control, timer and the last popup menu, fields joined by
// "|". Backslash, "|" and line breaks inside a text are escaped (\\, \|, \r, \n)
// so that every record stays on one line; ";" too inside menu captions (\;).
#include <string>

class App;
namespace ui {
struct Menu;
}

// form|<Name>|<caption>|visible=0/1|enabled=0/1|state=0/1|left,top,width,height
// ctl|<Form>|<Name>|<caption>|visible=..|enabled=..|value=..|bold=..
// timer|<Form>|<Name>|enabled=..
// then lastMenu (as made by DescribeMenu) when not empty. Lines end with "\n".
std::string DescribeApp(App& app, const std::string& lastMenu);

// menu|<name>|default=<item>|<caption1>;<caption2>;...
std::string DescribeMenu(const ui::Menu& menu, const std::string& defaultItem);
