#pragma once
// The delay entry dialog: a delay as hours, minutes, seconds, or a clock time.
#include <array>
#include <cstdint>

#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/Timer.h"

class Windows;

class TimeForm : public ui::Form {
 public:
  explicit TimeForm(Windows& app);
  ~TimeForm() override;

  ui::Control LetsGo;
  // Each field is named for screen readers by the text just above it in the z-order.
  ui::Control HeuresName;
  ui::Control txtHeure;
  ui::Control MinutesName;
  ui::Control txtMinute;
  ui::Control SecondesName;
  ui::Control txtSeconde;
  ui::Control Annuled;
  ui::Control WithTime;
  ui::Control pt2, Pt1;
  ui::Control Label1, Label2, Label3;
  ui::Control TimeLabel;
  ui::Timer TimeTimer;

  void Form_Load() override;
  void Form_Unload() override;
  void TimeTimer_Timer();
  void txtHeure_Change();
  void txtMinute_Change();
  void txtSeconde_Change();
  void txtField_GotFocus(ui::Control& field);
  void WithTime_Click();
  void LetsGo_Click();
  void Annuled_Click();
  // The zero-delay question, and the action at once when it is answered OK.
  void ConfirmImmediateAction();

  Windows& app;
  bool FillingFields = false;
  std::array<std::uint8_t, 3> SavedDelay{};  // seconds, minutes, hours
};
