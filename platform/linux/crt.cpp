// The Windows C runtime names the program uses, over their POSIX counterparts.
#include <strings.h>
#include <sys/stat.h>

#include "platform/system.h"

long _filelength(int fd) {
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return (long)st.st_size;
}

int _stricmp(const char* a, const char* b) { return strcasecmp(a, b); }
