// How mouse and keyboard input of a window reaches its controls.
#include <gtest/gtest.h>

#include <tuple>

#include "ui/Control.h"
#include "ui/Fakes.h"
#include "ui/Form.h"
#include "ui/InputRouting.h"

namespace {

using ui::ControlKind;

// A small skinned window: a windowed picture over two stacked pictures, a
// caption label, all over a background.
struct Skin : ui::Form {
  explicit Skin(ui::Services& s) : ui::Form(s, "Skin", ui::FormStyle::Borderless, {0, 0, 3000, 1500}, "s") {}
  ui::Control glow{*this, "glow", ControlKind::WindowedPicture, {300, 300, 495, 495}};
  ui::Control pressed{*this, "pressed", ControlKind::Picture, {300, 300, 495, 495}};
  ui::Control caption{*this, "caption", ControlKind::Label, {150, 900, 900, 255}, "Arrêter"};
  ui::Control normal{*this, "normal", ControlKind::Picture, {300, 300, 495, 495}};
  ui::Control back{*this, "back", ControlKind::Picture, {0, 0, 3000, 1500}};
};
struct SkinTest : ::testing::Test {
  ui::FakeEnvironment env;
  Skin f{env.services};
};

TEST(ToPixels, RoundsToTheNearestPixelHalvesAwayFromZero) {
  // 30/0: without a screen metric it is 96 dpi; the largest value does not overflow on the way.
  struct Case {
    int twips, perPixel, pixels;
  } cases[] = {{0, 15, 0},   {7, 15, 0},    {8, 15, 1},  {5790, 15, 386}, {-7, 15, 0},
               {-8, 15, -1}, {495, 12, 41}, {18, 12, 2}, {30, 0, 2},      {2147483647, 15, 143165576}};
  for (const Case& c : cases) EXPECT_EQ(ui::ToPixels(c.twips, c.perPixel), c.pixels) << c.twips << "/" << c.perPixel;
  EXPECT_EQ(ui::ToPixels(ui::TwipsRect{5390, 45, 375, 390}, 15, 15), (ui::PixelRect{359, 3, 25, 26}));
}

TEST_F(SkinTest, LightweightAtFindsTheTopVisiblePictureOrLabel) {
  EXPECT_EQ(ui::LightweightAt(f, 25, 25, 15, 15), &f.pressed);  // the windowed one is skipped
  f.pressed.SetVisible(false);
  EXPECT_EQ(ui::LightweightAt(f, 25, 25, 15, 15), &f.normal);
  EXPECT_EQ(ui::LightweightAt(f, 52, 52, 15, 15), &f.normal);  // 20 px + 33 px: 52 is the last inside
  EXPECT_EQ(ui::LightweightAt(f, 53, 53, 15, 15), &f.back);
  EXPECT_EQ(ui::LightweightAt(f, 10, 60, 15, 15), &f.caption);
  EXPECT_EQ(ui::LightweightAt(f, 200, 100, 15, 15), nullptr);  // outside everything
  f.caption.SetEnabled(false);
  EXPECT_EQ(ui::LightweightAt(f, 10, 60, 15, 15), nullptr);  // not passed on to the background

  // Mouse positions are given in twips from the control's corner, outside ones negative.
  const ui::MouseArgs in = ui::RelativeTo(f.normal, 21, 22, 15, 15, 1, 2);
  EXPECT_EQ(std::make_tuple(in.button, in.shift, in.x, in.y), std::make_tuple(1, 2, 15.0f, 30.0f));
  const ui::MouseArgs out = ui::RelativeTo(f.normal, 2, 100, 15, 15, 0, 0);
  EXPECT_EQ(std::make_pair(out.x, out.y), std::make_pair(-270.0f, 1200.0f));
}

TEST_F(SkinTest, MouseRouterTheControlThatGotTheDownKeepsTheMouse) {
  ui::MouseRouter r;
  EXPECT_EQ(r.Move(&f.normal), &f.normal);
  EXPECT_EQ(r.Down(&f.glow, ui::kLeftButton), &f.glow);
  EXPECT_TRUE(r.Holding());
  EXPECT_EQ(r.Move(&f.back), &f.glow);
  EXPECT_EQ(r.Move(nullptr), &f.glow);
  EXPECT_EQ(r.Down(&f.back, ui::kRightButton), &f.glow);  // a second button does not move it
  EXPECT_EQ(r.Up(ui::kRightButton), &f.glow);
  EXPECT_TRUE(r.Holding());
  EXPECT_EQ(r.Up(ui::kLeftButton), &f.glow);
  EXPECT_FALSE(r.Holding());
  EXPECT_EQ(r.Move(&f.back), &f.back);
}

TEST_F(SkinTest, MouseRouterStrayOrLostReleasesReachNobody) {
  ui::MouseRouter r;
  EXPECT_EQ(r.Up(ui::kLeftButton), nullptr);  // pressed in another window (a menu), released here
  r.Down(&f.glow, ui::kLeftButton);
  EXPECT_EQ(r.Up(ui::kMiddleButton), nullptr);
  r.Lost();  // a message box took the mouse
  EXPECT_FALSE(r.Holding());
  EXPECT_EQ(r.Up(ui::kLeftButton), nullptr);
  r.Down(&f.glow, ui::kLeftButton);
  r.Forget(&f.glow);
  EXPECT_EQ(r.Move(&f.back), nullptr);  // still held, but the control is gone
  EXPECT_EQ(r.Up(ui::kLeftButton), nullptr);
  EXPECT_FALSE(r.Holding());
}

struct Dialog : ui::Form {
  explicit Dialog(ui::Services& s) : ui::Form(s, "Dialog", ui::FormStyle::Dialog, {0, 0, 3000, 1500}, "d") {
    ok.SetTabIndex(0);
    hours.SetTabIndex(1);
    minutes.SetTabIndex(2);
    cancel.SetTabIndex(3);
    mode.SetTabIndex(4);
    ok.SetDefault(true);
    cancel.SetCancel(true);
  }
  ui::Control cancel{*this, "cancel", ControlKind::Button, {}, "Annuler"};
  ui::Control mode{*this, "mode", ControlKind::CheckBox, {}, "Horaire..."};
  ui::Control minutes{*this, "minutes", ControlKind::TextBox, {}, "00"};
  ui::Control hours{*this, "hours", ControlKind::TextBox, {}, "00"};
  ui::Control label{*this, "label", ControlKind::Label, {}, "Heures"};
  ui::Control ok{*this, "ok", ControlKind::Button, {}, "Ok"};
};
struct DialogTest : ::testing::Test {
  ui::FakeEnvironment env;
  Dialog d{env.services};
};

TEST_F(DialogTest, TabOrderFollowsTabIndexAndSkipsWhatCannotTakeTheFocus) {
  EXPECT_EQ(ui::TabOrder(d), (std::vector<ui::Control*>{&d.ok, &d.hours, &d.minutes, &d.cancel, &d.mode}));
  d.minutes.SetVisible(false);
  d.cancel.SetEnabled(false);
  EXPECT_EQ(ui::TabOrder(d), (std::vector<ui::Control*>{&d.ok, &d.hours, &d.mode}));
  d.hours.SetTabIndex(0);  // a tie keeps the declaration order
  EXPECT_EQ(ui::TabOrder(d), (std::vector<ui::Control*>{&d.hours, &d.ok, &d.mode}));
}

TEST_F(DialogTest, NextTabStopWrapsRoundBothWays) {
  EXPECT_EQ(ui::NextTabStop(d, &d.ok, false), &d.hours);
  EXPECT_EQ(ui::NextTabStop(d, &d.mode, false), &d.ok);
  EXPECT_EQ(ui::NextTabStop(d, &d.ok, true), &d.mode);
  EXPECT_EQ(ui::NextTabStop(d, nullptr, false), &d.ok);
  EXPECT_EQ(ui::NextTabStop(d, &d.label, true), &d.mode);
  for (ui::Control* c : {&d.ok, &d.hours, &d.minutes, &d.cancel, &d.mode}) c->SetVisible(false);
  EXPECT_EQ(ui::NextTabStop(d, nullptr, false), nullptr);
}

TEST_F(DialogTest, DialogKeysEnterAndEscPressOnlyAnAvailableButtonOfThisWindow) {
  Dialog other(env.services);
  EXPECT_EQ(ui::CancelButton(d), &d.cancel);
  EXPECT_EQ(ui::EnterButton(d, &d.cancel), &d.cancel);  // the focused button first
  EXPECT_EQ(ui::EnterButton(d, &d.hours), &d.ok);
  EXPECT_EQ(ui::EnterButton(d, nullptr), &d.ok);
  EXPECT_EQ(ui::EnterButton(d, &other.cancel), &d.ok);  // never a button of another window
  d.cancel.SetEnabled(false);
  EXPECT_EQ(ui::EnterButton(d, &d.cancel), &d.ok);
  EXPECT_EQ(ui::CancelButton(d), nullptr);
  d.ok.SetVisible(false);
  EXPECT_EQ(ui::DefaultButton(d), nullptr);
  EXPECT_EQ(ui::EnterButton(d, nullptr), nullptr);
}

TEST_F(DialogTest, FocusTargetReturnsToTheLastFocusedControlWhileItCanTakeIt) {
  EXPECT_EQ(ui::FocusTarget(d), &d.ok);  // nothing focused yet: the first tab stop
  d.minutes.SetFocus();
  EXPECT_EQ(ui::FocusTarget(d), &d.minutes);
  d.minutes.SetEnabled(false);
  EXPECT_EQ(ui::FocusTarget(d), &d.ok);
  d.label.SetFocus();  // a label cannot hold the focus
  EXPECT_EQ(ui::FocusTarget(d), &d.ok);
  for (ui::Control* c : {&d.ok, &d.hours, &d.cancel, &d.mode}) c->SetVisible(false);
  EXPECT_EQ(ui::FocusTarget(d), nullptr);
}

}  // namespace
