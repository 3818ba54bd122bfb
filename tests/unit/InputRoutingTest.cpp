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
// A test over one such window, f.
template <class Window>
struct On : ::testing::Test {
  ui::FakeEnvironment env;
  Window f{env.services};
};
using SkinTest = On<Skin>;

TEST(ToPixels, RoundsToTheNearestPixelHalvesAwayFromZero) {
  // 30/0: without a screen metric it is 96 dpi; the largest value does not overflow on the way.
  const std::tuple<int, int, int> cases[] = {{0, 15, 0},   {7, 15, 0},    {8, 15, 1},  {5790, 15, 386}, {-7, 15, 0},
                                             {-8, 15, -1}, {495, 12, 41}, {18, 12, 2}, {30, 0, 2},      {7, 1, 7}};
  for (const auto& [twips, perPixel, pixels] : cases) EXPECT_EQ(ui::ToPixels(twips, perPixel), pixels) << twips;
  EXPECT_EQ(ui::ToPixels(2147483647, 15), 143165576);
  EXPECT_EQ(ui::ToPixels(ui::TwipsRect{5390, 45, 375, 390}, 15, 15), (ui::PixelRect{359, 3, 25, 26}));
}

TEST_F(SkinTest, LightweightAtFindsTheTopVisiblePictureOrLabel) {
  const auto at = [&](int x, int y) { return ui::LightweightAt(f, x, y, 15, 15); };
  EXPECT_EQ(at(25, 25), &f.pressed);  // the windowed one is skipped
  f.pressed.SetVisible(false);
  // 20 px + 33 px: 52 is the last inside; 200,100 is outside everything.
  EXPECT_EQ(std::tuple(at(25, 25), at(52, 52), at(53, 53), at(10, 60), at(200, 100)),
            std::tuple(&f.normal, &f.normal, &f.back, &f.caption, nullptr));
  f.caption.SetEnabled(false);
  EXPECT_EQ(at(10, 60), nullptr);  // not passed on to the background

  // Mouse positions are given in twips from the control's corner, outside ones negative.
  const ui::MouseArgs in = ui::RelativeTo(f.normal, 21, 22, 15, 15, 1, 2);
  EXPECT_EQ(std::make_tuple(in.button, in.shift, in.x, in.y), std::make_tuple(1, 2, 15.0f, 30.0f));
  const ui::MouseArgs out = ui::RelativeTo(f.normal, 2, 100, 15, 15, 0, 0);
  EXPECT_EQ(std::make_pair(out.x, out.y), std::make_pair(-270.0f, 1200.0f));
  const ui::MouseArgs fine = ui::RelativeTo(f.normal, 310, 320, 1, 1, 0, 0);  // 1440 dpi is a real metric
  EXPECT_EQ(std::make_pair(fine.x, fine.y), std::make_pair(10.0f, 20.0f));
}

TEST_F(SkinTest, MouseRouterTheDownControlKeepsTheMouseAndStrayOrLostReleasesReachNobody) {
  ui::MouseRouter r;
  EXPECT_EQ(r.Move(&f.normal), &f.normal);
  EXPECT_EQ((std::pair{r.Down(&f.glow, ui::kLeftButton), r.Holding()}), std::pair(&f.glow, true));
  EXPECT_EQ((std::pair{r.Move(&f.back), r.Move(nullptr)}), std::pair(&f.glow, &f.glow));
  EXPECT_EQ(r.Down(&f.back, ui::kRightButton), &f.glow);  // a second button does not move it
  EXPECT_EQ((std::pair{r.Up(ui::kRightButton), r.Holding()}), std::pair(&f.glow, true));
  EXPECT_EQ((std::pair{r.Up(ui::kLeftButton), r.Holding()}), std::pair(&f.glow, false));
  EXPECT_EQ(r.Move(&f.back), &f.back);

  EXPECT_EQ(r.Up(ui::kLeftButton), nullptr);  // pressed in another window (a menu), released here
  r.Down(&f.glow, ui::kLeftButton);
  EXPECT_EQ(r.Up(ui::kMiddleButton), nullptr);
  r.Lost();  // a message box took the mouse
  EXPECT_EQ((std::tuple{r.Holding(), r.Up(ui::kLeftButton)}), std::tuple(false, nullptr));
  r.Down(&f.glow, ui::kLeftButton);
  r.Forget(&f.glow);  // still held, but the control is gone
  EXPECT_EQ((std::tuple{r.Move(&f.back), r.Up(ui::kLeftButton), r.Holding()}), std::tuple(nullptr, nullptr, false));
}

struct Dialog : ui::Form {
  explicit Dialog(ui::Services& s) : ui::Form(s, "Dialog", ui::FormStyle::Dialog, {0, 0, 3000, 1500}, "d") {
    int index = 0;
    for (ui::Control* c : {&ok, &hours, &minutes, &cancel, &mode}) c->SetTabIndex(index++);
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
using DialogTest = On<Dialog>;

TEST_F(DialogTest, TabOrderFollowsTabIndexSkipsWhatCannotTakeTheFocusAndWrapsRound) {
  EXPECT_EQ(ui::TabOrder(f), (std::vector<ui::Control*>{&f.ok, &f.hours, &f.minutes, &f.cancel, &f.mode}));
  f.minutes.SetVisible(false);
  f.cancel.SetEnabled(false);
  EXPECT_EQ(ui::TabOrder(f), (std::vector<ui::Control*>{&f.ok, &f.hours, &f.mode}));
  // Round both ways, over what was left out.
  const auto next = [&](ui::Control* from, bool back) { return ui::NextTabStop(f, from, back); };
  EXPECT_EQ(std::tuple(next(&f.ok, false), next(&f.mode, false), next(&f.ok, true), next(nullptr, false),
                       next(&f.label, true)),
            std::tuple(&f.hours, &f.ok, &f.mode, &f.ok, &f.mode));
  f.hours.SetTabIndex(0);  // a tie keeps the declaration order
  EXPECT_EQ(ui::TabOrder(f), (std::vector<ui::Control*>{&f.hours, &f.ok, &f.mode}));
  for (ui::Control* c : {&f.ok, &f.hours, &f.mode}) c->SetVisible(false);
  EXPECT_EQ(next(nullptr, false), nullptr);
}

TEST_F(DialogTest, DialogKeysEnterAndEscPressOnlyAnAvailableButtonOfThisWindow) {
  Dialog other(env.services);
  const auto enter = [&](ui::Control* focused) { return ui::EnterButton(f, focused); };
  // Enter: the focused button first, the default otherwise, never a button of another window.
  // Escape closes a dialog itself only when no cancel button answers it.
  EXPECT_EQ(std::tuple(ui::CancelButton(f), ui::EscapeCloses(f), enter(&f.cancel), enter(&f.hours), enter(nullptr),
                       enter(&other.cancel)),
            std::tuple(&f.cancel, false, &f.cancel, &f.ok, &f.ok, &f.ok));
  f.cancel.SetEnabled(false);
  EXPECT_EQ(std::tuple(enter(&f.cancel), ui::CancelButton(f), ui::EscapeCloses(f)), std::tuple(&f.ok, nullptr, true));
  f.ok.SetVisible(false);
  EXPECT_EQ(std::tuple(ui::DefaultButton(f), enter(nullptr)), std::tuple(nullptr, nullptr));
}

TEST_F(DialogTest, FocusTargetReturnsToTheLastFocusedControlWhileItCanTakeIt) {
  EXPECT_EQ(ui::FocusTarget(f), &f.ok);  // nothing focused yet: the first tab stop
  f.minutes.SetFocus();
  EXPECT_EQ(ui::FocusTarget(f), &f.minutes);
  f.minutes.SetEnabled(false);
  EXPECT_EQ(ui::FocusTarget(f), &f.ok);
  f.label.SetFocus();  // a label cannot hold the focus
  EXPECT_EQ(ui::FocusTarget(f), &f.ok);
  for (ui::Control* c : {&f.ok, &f.hours, &f.cancel, &f.mode}) c->SetVisible(false);
  EXPECT_EQ(ui::FocusTarget(f), nullptr);
}

// Pictures and captions painted by the window, with keys and names of their own.
struct Painted : ui::Form {
  explicit Painted(ui::Services& s) : ui::Form(s, "Painted", ui::FormStyle::Borderless, {0, 0, 3000, 1500}, "p") {
    holder.SetTabStop(false);
    holder.SetTabIndex(0);
    key.SetTabIndex(1);
    key.SetAccessKey('a');
    caption.SetAccessKey('A');  // underlined only: a label is never pressed
    key.Echo({&caption});
    readOut.Echo({&hours, &colon, &minutes});
  }
  ui::Control holder{*this, "holder", ControlKind::Button, {}, ""};
  ui::Control key{*this, "key", ControlKind::HotSpot, {100, 100, 900, 900}};
  ui::Control readOut{*this, "readOut", ControlKind::ReadOut, {}};
  ui::Control caption{*this, "caption", ControlKind::Label, {100, 700, 900, 255}, "Arrêter"};
  ui::Control hours{*this, "hours", ControlKind::Label, {100, 1200, 240, 255}, "00"};
  ui::Control colon{*this, "colon", ControlKind::Label, {340, 1200, 90, 255}, ":"};
  ui::Control minutes{*this, "minutes", ControlKind::Label, {430, 1200, 255, 255}, "10"};
};
using PaintedTest = On<Painted>;

TEST_F(PaintedTest, AControlOffTheTabCycleHoldsTheFirstFocusAndAccessKeysPressInEitherCase) {
  EXPECT_EQ(ui::TabOrder(f), (std::vector<ui::Control*>{&f.key}));
  // A hot spot is pressed like a button; Escape never closes a borderless window.
  EXPECT_EQ(std::tuple(ui::FocusTarget(f), ui::NextTabStop(f, &f.holder, false), ui::EnterButton(f, &f.key),
                       ui::EscapeCloses(f)),
            std::tuple(&f.holder, &f.key, &f.key, false));
  f.key.SetFocus();
  EXPECT_EQ(ui::FocusTarget(f), &f.key);
  // Access keys press the available button of that letter in either case.
  const auto target = [&](char key) { return ui::AccessKeyTarget(f, key); };
  EXPECT_EQ(std::tuple(target('A'), target('a'), target('r'), target(0)), std::tuple(&f.key, &f.key, nullptr, nullptr));
  f.key.SetEnabled(false);
  EXPECT_EQ(target('a'), nullptr);  // and not the label that shows it
}

TEST(AccessKeys, TheFirstLetterOfTheKeyIsMarkedAndPlainAmpersandsDoubled) {
  const std::tuple<const char*, char, std::size_t, const char*> rows[] = {
      {"Arrêter", 'A', 0, "&Arrêter"},
      {"Mettre en veille", 'V', 10, "Mettre en &veille"},
      {"R&D", 'D', 2, "R&&&D"},
      {"été", 't', 2, "é&té"},  // the accented letters' bytes never match
      {"Zut", 'z', 0, "&Zut"},
      {"Arrêter", 'z', std::string::npos, "Arrêter"},
      {"Arrêter", 0, std::string::npos, "Arrêter"}};
  for (const auto& [caption, key, at, marked] : rows)
    EXPECT_EQ(std::tuple(ui::AccessKeyPosition(caption, key), ui::WithAccessMark(caption, key)), std::tuple(at, marked))
        << caption;
}

TEST_F(PaintedTest, EchoesFollowTheirVisibleSourcesAndAReadOutCoversThem) {
  EXPECT_EQ(f.key.Caption() + "|" + f.readOut.Caption(), "Arrêter|00:10");
  EXPECT_EQ(f.readOut.Bounds(), (ui::TwipsRect{100, 1200, 585, 255}));
  EXPECT_EQ(f.key.Bounds(), (ui::TwipsRect{100, 100, 900, 900}));  // a hot spot keeps its own place
  f.minutes.SetCaption("09");
  f.colon.SetVisible(false);
  EXPECT_EQ(f.readOut.Caption(), "0009");
  f.caption.SetVisible(false);
  EXPECT_FALSE(f.key.Visible());
  f.caption.SetCaption("Redémarrer");
  f.caption.SetVisible(true);
  EXPECT_EQ(std::pair(f.key.Caption(), f.key.Visible()), std::pair(std::string("Redémarrer"), true));
  {
    ui::Form other(env.services, "Other", ui::FormStyle::Dialog, {}, "o");
    ui::Control late(other, "late", ControlKind::ReadOut, {});
    late.Echo({&f.hours});
  }
  f.hours.SetCaption("01");  // an echo that went away is not reached
  EXPECT_EQ(f.readOut.Caption(), "0109");
}

}  // namespace
