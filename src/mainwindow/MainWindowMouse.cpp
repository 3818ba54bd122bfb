#include "app/MainForm.h"
void MainForm::Arrete_MouseMove(const ui::MouseArgs&) {}
void MainForm::Reboote_MouseMove(const ui::MouseArgs&) {}
void MainForm::VeilleProlongee_MouseMove(const ui::MouseArgs&) {}
void MainForm::ArreteBrillant_MouseDown(const ui::MouseArgs&) {}
void MainForm::ArreteBrillant_MouseMove(const ui::MouseArgs&) {}
void MainForm::ArreteBrillant_MouseUp(int, int, float, float) {}
void MainForm::RebooteBrillant_MouseDown(const ui::MouseArgs&) {}
void MainForm::RebooteBrillant_MouseMove(const ui::MouseArgs&) {}
void MainForm::RebooteBrillant_MouseUp(int, int, float, float) {}
void MainForm::VeilleProlongeeBrillant_MouseDown(const ui::MouseArgs&) {}
void MainForm::VeilleProlongeeBrillant_MouseMove(const ui::MouseArgs&) {}
void MainForm::VeilleProlongeeBrillant_MouseUp(int, int, float, float) {}
void MainForm::Min_MouseMove(const ui::MouseArgs&) {}
void MainForm::MinBrillant_MouseDown(const ui::MouseArgs&) {}
void MainForm::MinBrillant_MouseMove(const ui::MouseArgs&) {}
void MainForm::MinBrillant_MouseUp(int, int, float, float) {}
void MainForm::Clse_MouseMove(const ui::MouseArgs&) {}
void MainForm::ClseBrillant_MouseDown(const ui::MouseArgs&) {}
void MainForm::ClseBrillant_MouseMove(const ui::MouseArgs&) {}
void MainForm::ClseBrillant_MouseUp(int, int, float, float) {}
void MainForm::Fond_MouseMove(const ui::MouseArgs&) {}
void MainForm::Fond_MouseUp(const ui::MouseArgs&) {}
void MainForm::Titre_MouseMove(const ui::MouseArgs&) {}
void MainForm::Handle_MouseDown(const ui::MouseArgs&) {}
void MainForm::Handle_MouseMove(const ui::MouseArgs&) {}
void MainForm::DragWindow(float, float) {}
void MainForm::RecentreWindow() {}
void MainForm::TimeOptions_Click() {}
