#include "settings/FileModule.h"
std::string FileModule::GetSettingsDir() { return {}; }
void FileModule::ReadSettings(bool&, bool&, bool&, bool&, bool&, bool&, bool&, bool&, bool&, bool&, bool&, bool&,
                              bool&, std::string&, std::string&, std::string&) {}
void FileModule::WriteSettings(bool, bool, bool, bool, bool, bool, bool, bool, bool, bool, bool, bool, bool) {}
void FileModule::WriteLastTime(std::uint8_t, std::uint8_t, std::uint8_t) {}
void FileModule::ResetSettings(platform::Platform::File&) {}
std::string FileModule::SettingsPath() { return {}; }
