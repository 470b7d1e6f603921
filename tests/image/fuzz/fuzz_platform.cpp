// The one platform call the fuzzed readers need beyond memory and files: message boxes, which
// are simply dismissed.
#include "platform/system.h"

int MessageBoxA(HWND, LPCSTR, LPCSTR, UINT) { return IDOK; }
