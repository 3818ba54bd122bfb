#include "timeui/TimeStart.h"
#include "app/App.h"
using ui::ControlKind;
TimeStart::TimeStart(App& a)
    : ui::Form(a.Svc(), "TimeStart", ui::FormStyle::ToolDialog, {0, 0, 6420, 1020}, "..."),
      TimeLabel(*this, "TimeLabel", ControlKind::Label, {840, 0, 0, 0}, "..."),
      Annuler(*this, "Annuler", ControlKind::Button, {5280, 600, 1095, 375}, "Annuler"),
      ArretPict(*this, "ArretPict", ControlKind::Picture, {240, 240, 495, 495}),
      RebootePict(*this, "RebootePict", ControlKind::Picture, {240, 240, 495, 495}),
      StandbyPict(*this, "StandbyPict", ControlKind::Picture, {240, 240, 495, 495}), app(a) {}
TimeStart::~TimeStart() = default;
void TimeStart::Form_Load() {}
void TimeStart::Form_Unload() {}
void TimeStart::RefreshTimeStart() {}
void TimeStart::Annuler_Click() {}
std::string SpellRemainingTime(const std::string&, int, int, int, const std::string&, const std::string&,
                               const std::string&) {
  return {};
}
