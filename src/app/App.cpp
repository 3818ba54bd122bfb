#include "app/App.h"

#include "app/MainForm.h"
#include "seams/Postpone.h"
#include "settings/OptionsForm.h"
#include "timeui/TimeForm.h"
#include "timeui/TimeStart.h"
#include "tray/SystrayIcon.h"
#include "ui/Timer.h"

App::App(ui::Services& services, platform::Platform& os)
    : services_(services), os_(os), shut_(os), files_(os, shut_, services.messageBoxes) {}

App::~App() {
  // Forms go before the services their timers are registered with.
  options_.reset();
  timeStart_.reset();
  timeForm_.reset();
  systray_.reset();
  keptMain_.reset();
  main_.reset();
  graveyard_.clear();
}

template <class F>
F& App::Load(std::unique_ptr<F>& slot) {
  if (!slot) {
    slot = std::make_unique<F>(*this);
    F* form = slot.get();
    if (services_.peers) services_.peers->CreatePeers(*form);
    form->MarkLoaded(true);
    form->Form_Load();
    return *form;  // Form_Load may have unloaded it again; the object lives on until collected
  }
  return *slot;
}

template <class F>
void App::Unload(std::unique_ptr<F>& slot) {
  if (!slot || !slot->Loaded()) return;  // not open, or already closing
  F* form = slot.get();
  form->MarkLoaded(false);
  form->Form_Unload();
  for (ui::Timer* t : form->Timers()) t->SetEnabled(false);
  form->Hide();
  if (services_.activeForm == form) services_.activeForm = nullptr;
  graveyard_.push_back(std::move(slot));
  CheckEnded();
}

void App::Start() {
  if (started_) return;
  started_ = true;
  ReadSystemFacts();
  main_ = std::make_unique<MainForm>(*this);
  mainObject_ = main_.get();
  if (services_.peers) services_.peers->CreatePeers(*mainObject_);
  mainObject_->Form_Initialize();
  // Initialisation may already have shown (and so loaded) the window.
  if (main_ && !main_->Loaded()) {
    main_->MarkLoaded(true);
    main_->Form_Load();
  }
  // Every way of hiding it during start-up (minimised start, a countdown that
  // went to the tray) leaves it minimised: then it is not shown.
  if (main_ && main_->Loaded() && main_->State() == ui::WindowState::Normal) main_->Show();
  // After the show: nobody can point at a button before it is on screen, and
  // the window need not wait for three more windows.
  if (main_ && main_->Loaded()) main_->wording.AddBalloons();
}

MainForm& App::Main() { return *mainObject_; }
ui::Form& App::MainWindow() { return *mainObject_; }
const RunState& App::State() { return *mainObject_; }
Commands& App::Do() { return *mainObject_; }

void App::UnloadMain() {
  closing_ = true;
  Unload(main_);
}

void App::OpenTray() {
  // Once the program is closing it never comes back: that would put the icon
  // back and keep a closed program alive.
  if (!systray_ && !closing_ && !ended_) Load(systray_);
}
void App::CloseTray() { Unload(systray_); }

TimeForm& App::LoadTimeForm() { return Load(timeForm_); }
void App::UnloadTimeForm() { Unload(timeForm_); }

TimeStart& App::LoadTimeStart() { return Load(timeStart_); }
void App::UnloadTimeStart() { Unload(timeStart_); }

OptionsForm& App::LoadOptionsForm() { return Load(options_); }
void App::UnloadOptionsForm() { Unload(options_); }

void App::BringForward() {
  if (timeForm_ && timeForm_->Loaded()) return timeForm_->SetFocus();
  if (options_ && options_->Loaded()) return options_->SetFocus();
  MainForm* main = main_.get();
  if (main && main->Loaded() && main->Visible() && main->State() == ui::WindowState::Normal) main->SetFocus();
}

void App::Activated(std::uintptr_t postponeMinutes) {
  MainForm* main = main_.get();
  const bool asked = postponeMinutes >= 1 && postponeMinutes <= kMaxPostponeMinutes;
  // Postponed from a hot key: the countdown moves on and the screen is left alone.
  if (asked && main && main->Loaded() && main->CountDown) {
    main->Postpone(static_cast<int>(postponeMinutes));
    return;
  }
  BringForward();
}

void App::CheckEnded() {
  if (ended_ || main_ || systray_ || timeForm_ || timeStart_ || options_) return;
  ended_ = true;
  if (onEnded) onEnded();
}

void App::CollectGarbage() {
  // The main window object is kept to the end (see Main()).
  for (auto& form : graveyard_)
    if (form.get() == mainObject_) {
      keptMain_ = std::move(form);
    }
  graveyard_.clear();
}
