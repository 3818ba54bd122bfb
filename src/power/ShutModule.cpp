#include "power/ShutModule.h"
bool ShutModule::IsNT() { return false; }
bool ShutModule::IsNT5() { return false; }
std::string ShutModule::GetOSName() { return {}; }
std::string ShutModule::GetOSVersionString() { return {}; }
void ShutModule::EnableShutdownPrivilege() {}
void ShutModule::ShutdownComputer(bool&) {}
void ShutModule::RestartComputer(bool&) {}
void ShutModule::SuspendComputer(bool) {}
platform::OsVersionInfo ShutModule::QueryVersion() { return {}; }
