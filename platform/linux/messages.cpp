// The message queue: posted messages wait here, sent ones reach the window procedure at once.
#include <time.h>

#include <deque>

#include "platform/linux/signals.h"
#include "platform/linux/xwin.h"

namespace {

std::deque<MSG>& queue() {
  static std::deque<MSG> messages;
  return messages;
}

const HWND kThreadMessagesOnly = (HWND)(intptr_t)-1;
const UINT kSysCommandMask = 0xFFF0;  // the low four bits of a system command are Windows' own
const LPARAM kAltDown = 1 << 29;      // key message context code: Alt was held

DWORD tickCount() {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (DWORD)(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

bool matches(const MSG& msg, HWND hWnd, UINT first, UINT last) {
  if (hWnd == kThreadMessagesOnly && msg.hwnd != NULL) return false;
  if (hWnd != NULL && hWnd != kThreadMessagesOnly && msg.hwnd != hWnd) return false;
  return (first == 0 && last == 0) || (msg.message >= first && msg.message <= last);
}

}  // namespace

LRESULT sendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowRecord* r = findWindow(hWnd);
  return r && r->proc ? r->proc(hWnd, message, wParam, lParam) : 0;
}

void postMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, Time time, int rootX,
                 int rootY) {
  MSG msg;
  msg.hwnd = hWnd;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = time ? (DWORD)time : tickCount();
  msg.pt.x = rootX;
  msg.pt.y = rootY;
  // Like Windows, successive mouse moves fold into the latest one.
  if (message == WM_MOUSEMOVE && !queue().empty() && queue().back().message == WM_MOUSEMOVE &&
      queue().back().hwnd == hWnd)
    queue().back() = msg;
  else
    queue().push_back(msg);
}

void dropMessagesOf(HWND hWnd) {
  auto& q = queue();
  for (auto it = q.begin(); it != q.end();) it = it->hwnd == hWnd ? q.erase(it) : it + 1;
}

BOOL PeekMessageA(LPMSG msg, HWND hWnd, UINT first, UINT last, UINT remove) {
  if (stopSignalled()) {  // a stop signal closes the run as WM_QUIT would
    *msg = MSG{};
    msg->message = WM_QUIT;
    msg->time = tickCount();
    return TRUE;
  }
  if (Display* display = xDisplay()) pumpXEvents(display);
  auto& q = queue();
  for (auto it = q.begin(); it != q.end(); ++it) {
    if (!matches(*it, hWnd, first, last)) continue;
    *msg = *it;
    if (remove & PM_REMOVE) q.erase(it);
    return TRUE;
  }
  return FALSE;
}

// No character messages are made: nothing here reads them.
BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DispatchMessageA(const MSG* msg) {
  return msg && msg->hwnd ? sendMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam) : 0;
}

void PostQuitMessage(int exitCode) { postMessage(NULL, WM_QUIT, (WPARAM)exitCode, 0, 0, 0, 0); }

// Alt+F4 becomes the close command, and the close command WM_CLOSE; nothing else is done.
LRESULT DefWindowProcA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSKEYDOWN && wParam == VK_F1 + 3 && (lParam & kAltDown))
    sendMessage(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  if (message == WM_SYSCOMMAND && (wParam & kSysCommandMask) == SC_CLOSE)
    sendMessage(hWnd, WM_CLOSE, 0, 0);
  return 0;
}
