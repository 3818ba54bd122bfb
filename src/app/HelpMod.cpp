#include "app/HelpMod.h"
std::string HelpText(const std::string&) { return {}; }
void ShowHelp(App&) {}
