// The C runtime and kernel bits: the executable itself, zero-filled global memory, and the
// Windows C runtime names the program uses, over their POSIX counterparts.
// Implements GetModuleHandleA, GetModuleFileNameA (/proc/self/exe), GlobalAlloc (always
// zero-filled), GlobalFree, Sleep, timeBeginPeriod and timeEndPeriod (the sleeps here are
// always to the millisecond), _filelength, _stricmp and _chdir.
#include <stdlib.h>
#include <strings.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "platform/system.h"

HMODULE GetModuleHandleA(LPCSTR) { return (HMODULE)(uintptr_t)1; }

DWORD GetModuleFileNameA(HMODULE, LPSTR buffer, DWORD size) {
  ssize_t n = readlink("/proc/self/exe", buffer, size - 1);
  if (n < 0) n = 0;
  buffer[n] = 0;
  return (DWORD)n;
}

HGLOBAL GlobalAlloc(UINT, SIZE_T bytes) { return calloc(bytes ? bytes : 1, 1); }

HGLOBAL GlobalFree(HGLOBAL memory) {
  free(memory);
  return NULL;
}

void Sleep(DWORD milliseconds) {
  struct timespec pause = {(time_t)(milliseconds / 1000), (long)(milliseconds % 1000) * 1000000};
  nanosleep(&pause, nullptr);
}

UINT timeBeginPeriod(UINT) { return TIMERR_NOERROR; }
UINT timeEndPeriod(UINT) { return TIMERR_NOERROR; }

// A folder opens as a file here; it has no length (as on Windows, where it does not open).
long _filelength(int fd) {
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return (long)st.st_size;
}

int _stricmp(const char* a, const char* b) { return strcasecmp(a, b); }

int _chdir(const char* dirname) { return chdir(dirname); }
