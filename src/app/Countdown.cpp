#include "app/MainForm.h"
void MainForm::TimeIsMoney(std::string&, std::string&, std::string&, bool) {}
void MainForm::CalculHoraire(std::int16_t&, std::int16_t&, std::int16_t&) {}
void MainForm::PerformAction() {}
void MainForm::Timer1_Timer() {}
void MainForm::CheckMaj_Timer() {}
