#pragma once
// The help box listing the command-line switches.
#include <string>

class App;

std::string HelpText(const std::string& standByTxt);
void ShowHelp(App& app);
