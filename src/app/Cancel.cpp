#include "app/MainForm.h"
void MainForm::Annule_Click() {}
