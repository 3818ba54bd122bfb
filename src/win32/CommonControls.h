#pragma once
// The common controls the system has: each version accepts its own size of
// the tooltip's tool record, and refuses larger ones.
#include <windows.h>

struct CommonControlsVersion {
  DWORD major = 4, minor = 0;
};

// What a system DLL's DllGetVersion says (comctl32 and shell32 4.71 on);
// 4.0 where it cannot say (95 and NT 4 as shipped).
CommonControlsVersion DllVersionOf(const char* dll);
// comctl32's, asked once.
CommonControlsVersion InstalledCommonControls();
// Bytes of the tool record (the A or the W form) that this version accepts:
// up to lpszText before 4.70, up to lParam after (never lpReserved, which
// versions before 6 refuse and nothing here needs).
UINT ToolInfoSize(CommonControlsVersion version, bool wide);
