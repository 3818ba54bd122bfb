#include "win32/CommonControls.h"

#include <commctrl.h>
#include <shlwapi.h>

#include "win32/Dynamic.h"

CommonControlsVersion DllVersionOf(const char* dll) {
  CommonControlsVersion v;
  using GetVersionFn = HRESULT(CALLBACK*)(DLLVERSIONINFO*);
  if (auto get = LookUp<GetVersionFn>(dll, "DllGetVersion")) {
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    if (SUCCEEDED(get(&info))) v = {info.dwMajorVersion, info.dwMinorVersion};
  }
  return v;
}

CommonControlsVersion InstalledCommonControls() {
  static const CommonControlsVersion version = DllVersionOf("comctl32.dll");
  return version;
}

UINT ToolInfoSize(CommonControlsVersion version, bool wide) {
  const bool withParam = version.major > 4 || (version.major == 4 && version.minor >= 70);
  if (wide) return withParam ? TTTOOLINFOW_V2_SIZE : TTTOOLINFOW_V1_SIZE;
  return withParam ? TTTOOLINFOA_V2_SIZE : TTTOOLINFOA_V1_SIZE;
}
