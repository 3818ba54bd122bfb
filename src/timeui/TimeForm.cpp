// The delay entry dialog: the three fields, the clock-time proposal, the
// zero-delay confirmation and the hand-over to the countdown.
#include "timeui/TimeForm.h"

#include <cmath>

#include "seams/Actions.h"
#include "seams/Commands.h"
#include "seams/Texts.h"
#include "seams/Windows.h"
#include "text/Text.h"
#include "ui/Services.h"

using ui::ControlKind;

namespace {

const ui::Font kFieldFont{"Tahoma", 15.75, true};

// Typed text read as a byte; "-5" and the like are clamped (to 0), never wrapped.
std::uint8_t SavedValue(const ui::Control& field) { return ToByte(NumericValue(field.Text())); }

}  // namespace

TimeForm::TimeForm(Windows& a)
    : ui::Form(a.Svc(), "TimeForm", ui::FormStyle::Dialog, {0, 0, 4590, 1815}, "..."),
      LetsGo(*this, "LetsGo", ControlKind::Button, {3000, 345, 1320, 375}, "..."),
      HeuresName(*this, "HeuresName", ControlKind::ReadOut, {}),
      txtHeure(*this, "txtHeure", ControlKind::TextBox, {180, 345, 720, 480}, "00"),
      MinutesName(*this, "MinutesName", ControlKind::ReadOut, {}),
      txtMinute(*this, "txtMinute", ControlKind::TextBox, {1080, 345, 720, 480}, "00"),
      SecondesName(*this, "SecondesName", ControlKind::ReadOut, {}),
      txtSeconde(*this, "txtSeconde", ControlKind::TextBox, {1980, 345, 720, 480}, "00"),
      Annuled(*this, "Annuled", ControlKind::Button, {3000, 840, 1320, 375}, kCancelCaption),
      WithTime(*this, "WithTime", ControlKind::CheckBox, {180, 1005, 1350, 255}, "Horaire..."),
      pt2(*this, "pt2", ControlKind::Label, {900, 390, 180, 390}, ":"),
      Pt1(*this, "Pt1", ControlKind::Label, {1800, 390, 180, 390}, ":"),
      Label1(*this, "Label1", ControlKind::Label, {180, 120, 720, 195}, "Heures"),
      Label2(*this, "Label2", ControlKind::Label, {1080, 120, 720, 195}, "Minutes"),
      Label3(*this, "Label3", ControlKind::Label, {1980, 120, 720, 195}, "Secondes"),
      TimeLabel(*this, "TimeLabel", ControlKind::Label, {1980, 1035, 720, 195}, "00:00:00"),
      TimeTimer(*this, "TimeTimer", 100, false),
      app(a) {
  const std::pair<ui::Control*, const char*> fields[] = {
      {&txtHeure, "Heures"}, {&txtMinute, "Minutes"}, {&txtSeconde, "Secondes"}};
  for (const auto& [field, tip] : fields) {
    field->SetFont(kFieldFont);
    field->SetAlign(ui::Alignment::Centre);
    field->SetMaxLength(2);
    field->SetForeColour(ui::kBlack);
    field->SetBackColour(ui::kWhite);
    field->SetToolTip(tip);
  }
  for (ui::Control* colon : {&pt2, &Pt1}) {
    colon->SetFont(ui::Font{"Tahoma", 15.75, true});
    colon->SetAlign(ui::Alignment::Centre);
  }
  for (ui::Control* caption : {&Label1, &Label2, &Label3, &TimeLabel}) caption->SetAlign(ui::Alignment::Centre);
  HeuresName.Echo({&Label1});
  MinutesName.Echo({&Label2});
  SecondesName.Echo({&Label3});

  LetsGo.SetDefault(true);
  Annuled.SetCancel(true);
  int tab = 0;
  for (ui::Control* c : {&LetsGo, &txtHeure, &txtMinute, &txtSeconde, &Annuled, &WithTime}) c->SetTabIndex(tab++);

  TimeTimer.onTick = [this] { TimeTimer_Timer(); };
  txtHeure.onChange = [this] { txtHeure_Change(); };
  txtMinute.onChange = [this] { txtMinute_Change(); };
  txtSeconde.onChange = [this] { txtSeconde_Change(); };
  for (ui::Control* field : {&txtHeure, &txtMinute, &txtSeconde}) {
    field->onGotFocus = [this, field] { txtField_GotFocus(*field); };
    field->onClick = [this, field] { txtField_GotFocus(*field); };
  }
  WithTime.onClick = [this] { WithTime_Click(); };
  LetsGo.onClick = [this] { LetsGo_Click(); };
  Annuled.onClick = [this] { Annuled_Click(); };
  onCloseBox = [this] { Annuled_Click(); };
}

TimeForm::~TimeForm() = default;

void TimeForm::Form_Load() {
  const RunState& main = app.State();
  CentreOnScreen();
  TimeTimer.SetEnabled(true);
  TimeTimer_Timer();

  app.Do().WatchShift(false);
  if (!app.System().xpLooks)
    for (ui::Control* field : {&txtHeure, &txtMinute, &txtSeconde}) field->SetFlat(true);
  app.Do().DelayDialogShown(true);

  if (IsAction(main.Action)) {
    const ActionTexts texts = TextsOf(main.Action, main);
    LetsGo.SetCaption(texts.startCaption);
    SetCaption(texts.dialogCaption);
  }

  // Ticking by program runs the switch exactly as the user's tick would.
  if (main.UseHMode) WithTime.SetValue(1);
  LetsGo.SetFocus();
}

void TimeForm::Form_Unload() {
  const RunState& state = app.State();
  // Closed without a countdown having started: nothing was chosen after all.
  if (!state.CountDown) {
    app.Do().WatchShift(true);
    app.Do().DropChosenAction();
  }
  // When the main window itself is closing it must not come back.
  ui::Form& main = app.MainWindow();
  const bool mainOpen = main.Loaded();
  main.SetEnabled(true);
  if (!state.Reduced && mainOpen) main.Show();
  app.Do().DelayDialogShown(false);
  if (!state.Reduced && mainOpen) main.SetFocus();
}

void TimeForm::TimeTimer_Timer() { TimeLabel.SetCaption(app.Svc().clock.FormatNow()); }

// Two characters typed: on to the next field, unless the clock-time switch is writing.
void TimeForm::txtHeure_Change() {
  if (!FillingFields && CharCount(txtHeure.Text()) == 2) txtMinute.SetFocus();
}

void TimeForm::txtMinute_Change() {
  if (!FillingFields && CharCount(txtMinute.Text()) == 2) txtSeconde.SetFocus();
}

void TimeForm::txtSeconde_Change() {
  if (!FillingFields && CharCount(txtSeconde.Text()) == 2) LetsGo.SetFocus();
}

// Typing replaces the whole value.
void TimeForm::txtField_GotFocus(ui::Control& field) { field.SetSelection(0, 2); }

void TimeForm::WithTime_Click() {
  FillingFields = true;
  if (WithTime.Value() == 1) {
    SavedDelay[0] = SavedValue(txtSeconde);
    SavedDelay[1] = SavedValue(txtMinute);
    SavedDelay[2] = SavedValue(txtHeure);

    // Now plus 5 min 2 s; the hour may reach 24, which the countdown reads as
    // that time tomorrow.
    const ui::TimeOfDay now = app.Svc().clock.Now();
    const int H = now.hour, M = now.minute, S = now.second;
    txtMinute.SetText(NumberText(M + 5));
    txtHeure.SetText(NumberText(H));
    if (NumericValue(txtMinute.Text()) > 59) {
      txtHeure.SetText(NumberText(H + 1));
      txtMinute.SetText(NumberText(M + 5 - 60));
    }
    txtSeconde.SetText(NumberText(S + 2));
    if (NumericValue(txtSeconde.Text()) > 59) {
      txtMinute.SetText(NumberText(M + 6));
      if (NumericValue(txtMinute.Text()) > 59) {
        txtHeure.SetText(NumberText(H + 1));
        txtMinute.SetText(NumberText(M + 6 - 60));
      }
      txtSeconde.SetText(NumberText(S + 2 - 60));
    }
  } else if (WithTime.Value() == 0) {
    txtSeconde.SetText(NumberText(SavedDelay[0]));
    txtMinute.SetText(NumberText(SavedDelay[1]));
    txtHeure.SetText(NumberText(SavedDelay[2]));
  }
  for (ui::Control* field : {&txtSeconde, &txtMinute, &txtHeure}) field->SetText(PadTwo(field->Text()));
  FillingFields = false;
}

void TimeForm::LetsGo_Click() {
  for (ui::Control* field : {&txtSeconde, &txtMinute, &txtHeure})
    if (field->Text().empty()) field->SetText("00");

  const RunState& main = app.State();
  Commands& engine = app.Do();
  // Nothing chosen, nothing to count down to: the dialog just closes.
  if (!IsAction(main.Action)) {
    app.UnloadTimeForm();
    return;
  }
  // Zero is judged on the whole numbers the countdown will run: ".4" seconds
  // is nothing, and a negative field is an error, never part of a sum.
  bool usable = true;
  double sum = 0;
  for (const ui::Control* field : {&txtHeure, &txtMinute, &txtSeconde}) {
    const double v = NumericValue(field->Text());
    usable = usable && std::isfinite(v) && v >= 0;
    sum += FitsInteger(v) ? ToInteger(v) : v;
  }
  if (usable && sum == 0) {
    ConfirmImmediateAction();
    return;
  }

  if (WithTime.Value() == 0) {
    std::string h = txtHeure.Text(), m = txtMinute.Text(), s = txtSeconde.Text();
    engine.TimeIsMoney(h, m, s, true);
  } else if (WithTime.Value() == 1) {
    const double fields[] = {NumericValue(txtHeure.Text()), NumericValue(txtMinute.Text()),
                             NumericValue(txtSeconde.Text())};
    std::string h = txtHeure.Text(), m = txtMinute.Text(), s = txtSeconde.Text();
    // No time of day is negative: rather than let "-5" wrap round to a time
    // tomorrow, the countdown refuses it as it refuses a negative delay.
    if (fields[0] < 0 || fields[1] < 0 || fields[2] < 0) {
      engine.TimeIsMoney(h, m, s, true);
      return;
    }
    std::int16_t hour = ToInteger(fields[0]), minute = ToInteger(fields[1]), second = ToInteger(fields[2]);
    engine.CalculHoraire(hour, minute, second);
    h = NumberText(main.TpsH);
    m = NumberText(main.TpsM);
    s = NumberText(main.TpsS);
    engine.TimeIsMoney(h, m, s, true);
  }
}

// A zero delay (or the clock time 00:00:00) means now, once the user agrees.
void TimeForm::ConfirmImmediateAction() {
  const RunState& main = app.State();
  const std::string verb = TextsOf(main.Action, main).verb;
  const int answer = app.Svc().messageBoxes.Show("Êtes-vous certain de vouloir " + verb + " immédiatement ?",
                                                 ui::kMbOkCancel + ui::kMbQuestion, "Info Temps");
  if (answer == ui::kIdCancel) {
    SetFocus();
    LetsGo.SetFocus();
  } else if (answer == ui::kIdOk) {
    app.Do().ActNow();
  }
}

void TimeForm::Annuled_Click() { app.UnloadTimeForm(); }
