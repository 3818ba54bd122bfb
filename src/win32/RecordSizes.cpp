// The records handed to the system keep the sizes of the 32-bit program.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <shellapi.h>

#include <cstddef>

#if !defined(_WIN64)
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "tray icon record, first version");
// TTTOOLINFOA_V2_SIZE, which the headers compute with a cast.
static_assert(offsetof(TTTOOLINFOA, lParam) + sizeof(LPARAM) == 44, "tool record up to lParam, without lpReserved");
static_assert(sizeof(OSVERSIONINFOA) == 148, "version record");
static_assert(sizeof(TOKEN_PRIVILEGES) == 16, "privilege record with one entry");
#endif
