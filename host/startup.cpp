// The setting, the working directory and the run-mode check of start-up.
#include "host/startup.h"

#include <string.h>

int parseDecimal(const char* text) {
  while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') negative = *text++ == '-';
  long long value = 0;
  const long long limit = negative ? 2147483648LL : 2147483647LL;
  for (; *text >= '0' && *text <= '9'; ++text) {
    value = value * 10 + (*text - '0');
    if (value > limit) value = limit;  // saturate like a 32-bit strtol
  }
  return (int)(negative ? -value : value);
}

HWND readParentHwnd() {
  // Cleared, and one byte kept back for a terminating zero: the stored text may lack
  // its own zero, and whatever the registry hands back must never reach past it.
  static char text[SETTING_BUFFER_SIZE + 1];
  memset(text, 0, sizeof text);
  HKEY key = NULL;
  DWORD type = REG_SZ;  // what is stored is not examined
  DWORD size = SETTING_BUFFER_SIZE;
  RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, KEY_READ, &key);
  if (RegQueryValueExA(key, SETTINGS_VALUE, NULL, &type, (LPBYTE)text, &size) != ERROR_SUCCESS)
    memset(text, 0, sizeof text);  // a failed read may leave partial bytes behind
  text[SETTING_BUFFER_SIZE] = 0;
  RegCloseKey(key);
  return (HWND)(intptr_t)parseDecimal(text);
}

void enterExecutableFolder() {
  char path[MAX_PATH];
  memset(path, 0, sizeof path);
  GetModuleFileNameA(NULL, path, MAX_PATH);
#ifdef _WIN32
  const char separator = '\\';
#else
  const char separator = '/';
#endif
  for (int i = MAX_PATH - 1; i >= 0; --i) {
    if (path[i] == separator) {
      if (i + 1 < MAX_PATH) path[i + 1] = 0;
      break;
    }
  }
  path[MAX_PATH - 1] = 0;
  _chdir(path);
}

bool isRunRequest(const char* cmdLine) {
  return _stricmp(cmdLine, "") == 0 || _stricmp(cmdLine, "/s") == 0;
}
