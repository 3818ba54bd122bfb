#include "app/Describe.h"

#include "app/App.h"
#include "app/MainForm.h"
#include "settings/OptionsForm.h"
#include "timeui/TimeForm.h"
#include "timeui/TimeStart.h"
#include "tray/SystrayIcon.h"
#include "ui/Form.h"
#include "ui/Menu.h"
#include "ui/Timer.h"

namespace {

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '|':
        out += "\\|";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out += c;
    }
  }
  return out;
}

const char* Flag(bool b) { return b ? "1" : "0"; }

void DescribeForm(const ui::Form& form, std::string& out) {
  const ui::TwipsRect& r = form.Bounds();
  out += "form|" + form.Name() + "|" + Escaped(form.Caption()) + "|visible=" + Flag(form.Visible()) +
         "|enabled=" + Flag(form.Enabled()) + "|state=" + Flag(form.State() == ui::WindowState::Minimised) + "|" +
         std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.width) + "," +
         std::to_string(r.height) + "\n";
  for (const ui::Control* c : form.Controls())
    out += "ctl|" + form.Name() + "|" + c->Name() + "|" + Escaped(c->Caption()) + "|visible=" + Flag(c->Visible()) +
           "|enabled=" + Flag(c->Enabled()) + "|value=" + std::to_string(c->Value()) +
           "|bold=" + Flag(c->GetFont().bold) + "\n";
  for (const ui::Timer* t : form.Timers())
    out += "timer|" + form.Name() + "|" + t->Name() + "|enabled=" + Flag(t->Enabled()) + "\n";
}

}  // namespace

std::string DescribeApp(App& app, const std::string& lastMenu) {
  const ui::Form* forms[] = {app.MainIfLoaded(), app.Tray(), app.TimeFormIfLoaded(), app.TimeStartIfLoaded(),
                             app.OptionsFormIfLoaded()};
  std::string out;
  for (const ui::Form* form : forms)
    if (form && form->Loaded()) DescribeForm(*form, out);
  if (!lastMenu.empty()) out += lastMenu + "\n";
  return out;
}

std::string DescribeMenu(const ui::Menu& menu, const std::string& defaultItem) {
  std::string out = "menu|" + menu.name + "|default=" + defaultItem + "|";
  for (std::size_t i = 0; i < menu.items.size(); ++i) {
    if (i > 0) out += ";";
    // ";" separates the captions here, so it is escaped too.
    for (char c : Escaped(menu.items[i].caption)) {
      if (c == ';') out += '\\';
      out += c;
    }
  }
  return out;
}
