// The executable itself: its module handle, its path and entering its folder.
#include <unistd.h>

#include "platform/system.h"

HMODULE GetModuleHandleA(LPCSTR) { return (HMODULE)(uintptr_t)1; }

DWORD GetModuleFileNameA(HMODULE, LPSTR buffer, DWORD size) {
  if (size == 0) return 0;
  ssize_t n = readlink("/proc/self/exe", buffer, size - 1);
  if (n < 0) n = 0;
  buffer[n] = 0;
  return (DWORD)n;
}

int _chdir(const char* dirname) { return chdir(dirname); }
