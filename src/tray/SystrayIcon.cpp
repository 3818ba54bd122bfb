#include "tray/SystrayIcon.h"
#include "app/App.h"
SystrayIcon::SystrayIcon(App& a)
    : ui::Form(a.Svc(), "SystrayIcon", ui::FormStyle::Hidden, {}, "SystrayIcon"),
      TimeCop(*this, "TimeCop", 200, false),
      MnuFichier(*this, "MnuFichier", "SysMenu", {}), MnuShut(*this, "MnuShut", "ShutMenu", {}),
      MnuReboot(*this, "MnuReboot", "RebootMenu", {}), MnuClose(*this, "MnuClose", "ClosMenu", {}),
      MnuFichierR(*this, "MnuFichierR", "SysMenu", {}), MnuShutR(*this, "MnuShutR", "ShutMenu", {}),
      MnuRebootR(*this, "MnuRebootR", "RebootMenu", {}), MnuCloseR(*this, "MnuCloseR", "ClosMenu", {}), app(a) {}
SystrayIcon::~SystrayIcon() = default;
void SystrayIcon::AddSystrayIcon(const std::string&, std::int16_t) {}
void SystrayIcon::Reduce() {}
void SystrayIcon::Restore() {}
void SystrayIcon::IconRefresh() {}
void SystrayIcon::Form_Load() {}
void SystrayIcon::Form_Unload() {}
void SystrayIcon::Form_MouseMove(int) {}
void SystrayIcon::TimeCop_Timer() {}
void SystrayIcon::ShellRestarted() {}
void SystrayIcon::ShowTrayMenu() {}
