#pragma once
// The help box listing the command-line switches.
#include <string>

class Windows;

std::string HelpText(const std::string& standByTxt);
void ShowHelp(Windows& app);
