// Window classes: a name and a window procedure, registered once, unregistered at the end.
#include <strings.h>

#include <map>

#include "platform/linux/xwin.h"

namespace {

struct CaseInsensitiveLess {
  bool operator()(const std::string& a, const std::string& b) const {
    return strcasecmp(a.c_str(), b.c_str()) < 0;
  }
};

std::map<std::string, WNDPROC, CaseInsensitiveLess>& classes() {
  static std::map<std::string, WNDPROC, CaseInsensitiveLess> table;
  return table;
}

ATOM nextAtom = 0xC000;  // where Windows numbers registered classes from

}  // namespace

WNDPROC findClassProc(const char* className) {
  if (!className) return nullptr;
  auto it = classes().find(className);
  return it == classes().end() ? nullptr : it->second;
}

ATOM RegisterClassA(const WNDCLASSA* wc) {
  if (!wc || !wc->lpszClassName || !wc->lpfnWndProc) return 0;
  if (!classes().emplace(wc->lpszClassName, wc->lpfnWndProc).second) return 0;  // taken
  return nextAtom++;
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE) {
  if (!className) return FALSE;
  auto it = classes().find(className);
  if (it == classes().end() || classHasWindows(it->first)) return FALSE;
  classes().erase(it);
  return TRUE;
}

// Icons and cursors of a class are not shown on X; any non-null handle will do.
HICON LoadIconA(HINSTANCE, LPCSTR) { return (HICON)(uintptr_t)1; }
HCURSOR LoadCursorA(HINSTANCE, LPCSTR) { return (HCURSOR)(uintptr_t)1; }
