#pragma once
// The common controls the system has: each version accepts its own size of
// the tooltip's tool record, and refuses larger ones.
#include <windows.h>

struct CommonControlsVersion {
  DWORD major = 4, minor = 0;
};

// Asked once; 4.0 where comctl32 cannot say (before 4.71: 95 and NT 4 as shipped).
CommonControlsVersion InstalledCommonControls();
// Bytes of the tool record (the A or the W form) that this version accepts:
// up to lpszText before 4.70, up to lParam after (never lpReserved, which
// versions before 6 refuse and nothing here needs).
UINT ToolInfoSize(CommonControlsVersion version, bool wide);
