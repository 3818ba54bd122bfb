#pragma once
// The countdown window ("TimeSmartBox") that spells the remaining time out.
#include <string>

#include "ui/Control.h"
#include "ui/Form.h"

class Windows;

class TimeStart : public ui::Form {
 public:
  explicit TimeStart(Windows& app);
  ~TimeStart() override;

  ui::Control TimeLabel;
  ui::Control Annuler;
  ui::Control Reporter;     // "+10 min"
  ui::Control TimeReadOut;  // the time in words, for screen readers
  ui::Control ArretPict, RebootePict, StandbyPict;

  void Form_Load() override;
  void Form_Unload() override;
  void RefreshTimeStart();
  void Annuler_Click();

  Windows& app;
};

// The wording alone, for a prefix, H, M, S and the two-digit texts hh, mm, ss.
std::string SpellRemainingTime(const std::string& prefix, int H, int M, int S, const std::string& hh,
                               const std::string& mm, const std::string& ss);
