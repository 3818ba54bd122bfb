#include "app/MainForm.h"
void MainForm::Form_Initialize() {}
void MainForm::Form_Load() {}
void MainForm::Form_Unload() {}
void MainForm::Patient_Timer() {}
void MainForm::TraiteCommande(const std::string&, const std::string&, std::vector<std::string>&) {}
