#pragma once
// The skinned main window as the user sees it: its controls and where they
// stand, the pictures' hover and press looks, dragging and re-centring, and
// the time digits. What its buttons start is MainForm's.
#include <string>

#include "ui/Control.h"
#include "ui/Form.h"

namespace ui {
struct Services;
}

class MainView : public ui::Form {
 public:
  explicit MainView(ui::Services& services);
  ~MainView() override;

  // ---- Controls, top of the z-order first ----
  ui::Control TimeOptions;
  ui::Control ArreteE;
  ui::Control VeilleProlongeeBrillant;
  ui::Control RebooteBrillant;
  ui::Control ArreteBrillant;
  ui::Control Annule;
  ui::Control AaDefault;
  // The three actions for the keyboard and screen readers, and the digits read out.
  ui::Control VeilleProlongeeKey;
  ui::Control ArreteKey;
  ui::Control RebooteKey;
  ui::Control DigitsReadOut;
  ui::Control ClseBrillant;
  ui::Control CloseE;
  ui::Control Clse;
  ui::Control MinBrillant;
  ui::Control MinE;
  ui::Control Min;
  ui::Control Petetout;
  ui::Control Petetout2;
  ui::Control RebooteE;
  ui::Control VeilleProlongeeE;
  ui::Control DisablePic;
  ui::Control Label1;
  ui::Control Label2;
  ui::Control TxtS;
  ui::Control TxtM;
  ui::Control TxtH;
  ui::Control Titre;
  ui::Control RebooteLabel;
  ui::Control ArreteLabel;
  ui::Control VeilleProlongeeLabel;
  ui::Control VeilleProlongee;
  ui::Control Reboote;
  ui::Control Arrete;
  ui::Control Fond;

  // ---- The time digits: shown or not, and what they read ----
  void ShowDigits(bool visible);
  void SetDigits(const std::string& h, const std::string& m, const std::string& s);
  void Digits(std::string& h, std::string& m, std::string& s) const;

  // ---- Hover, press, drag ----
  void Arrete_MouseMove(const ui::MouseArgs& e);
  void Reboote_MouseMove(const ui::MouseArgs& e);
  void VeilleProlongee_MouseMove(const ui::MouseArgs& e);
  void ArreteBrillant_MouseDown(const ui::MouseArgs& e);
  void ArreteBrillant_MouseMove(const ui::MouseArgs& e);
  void RebooteBrillant_MouseDown(const ui::MouseArgs& e);
  void RebooteBrillant_MouseMove(const ui::MouseArgs& e);
  void VeilleProlongeeBrillant_MouseDown(const ui::MouseArgs& e);
  void VeilleProlongeeBrillant_MouseMove(const ui::MouseArgs& e);
  void Min_MouseMove(const ui::MouseArgs& e);
  void MinBrillant_MouseDown(const ui::MouseArgs& e);
  void MinBrillant_MouseMove(const ui::MouseArgs& e);
  void Clse_MouseMove(const ui::MouseArgs& e);
  void ClseBrillant_MouseDown(const ui::MouseArgs& e);
  void ClseBrillant_MouseMove(const ui::MouseArgs& e);
  void Fond_MouseMove(const ui::MouseArgs& e);
  void Fond_MouseUp(const ui::MouseArgs& e);
  void Titre_MouseMove(const ui::MouseArgs& e);
  // Every drag handle: Fond, Titre, DisablePic, the three captions, Petetout(2).
  void Handle_MouseDown(const ui::MouseArgs& e);
  void Handle_MouseMove(const ui::MouseArgs& e);
  void DragWindow(float X, float Y);
  void RecentreWindow();
  // Where the window starts, and where a double click puts it back.
  void HomePosition(int& left, int& top) const;
  // Every action button back to its normal picture.
  void ResetActionButtons();
  // The action keys are off the Tab cycle while a countdown runs.
  void EnableActionKeys(bool on);
  // A caption's colour: the skin's, or in high contrast the system's text (grey when dimmed).
  ui::Colour TextColour(ui::Colour onSkin, bool dimmed = false) const;

 protected:
  // A countdown runs or a start waits: the action buttons keep their look.
  virtual bool Busy() const = 0;
  // A left-button release that lies on the control, its edges included.
  static bool ReleasedOn(const ui::Control& c, int button, float x, float y);
  // A picture button back to its normal look after a release.
  static void ResetLook(ui::Control& normal, ui::Control& brillant, ui::Control& pressed);

 private:
  float DragX = 0, DragY = 0;
  bool highContrast_ = false;  // as the system was when the window was made
};
