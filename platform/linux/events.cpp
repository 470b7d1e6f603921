// Events and input: the message queue, what window-system input and window changes become (keys
// by virtual-key code, mouse buttons with their MK_ flags, moves, size, iconify, a close request),
// and the stop signals.
// Implements PeekMessageA (all windows, all messages, PM_REMOVE), TranslateMessage,
// DispatchMessageA, DefWindowProcA (Alt+F4 and the close command) and PostQuitMessage. No
// character, wheel or button-release messages are made: nothing here reads them.
#include <X11/keysym.h>

#include "platform/linux/windowsystem.h"

namespace layer {
namespace {

const LPARAM ALT_DOWN = 1 << 29;      // key message context code: Alt was held
const UINT SYSCOMMAND_MASK = 0xFFF0;  // the low four bits of a system command are Windows' own

struct KeyCode {
  unsigned long keysym;
  UINT vk;
};

// Key symbols without a simple range of their own (letters, digits and F-keys have one).
const KeyCode KEYS[] = {
    {XK_BackSpace, VK_BACK}, {XK_Tab, VK_TAB},           {XK_Return, VK_RETURN},
    {XK_Escape, VK_ESCAPE},  {XK_space, VK_SPACE},       {XK_Shift_L, VK_SHIFT},
    {XK_Shift_R, VK_SHIFT},  {XK_Control_L, VK_CONTROL}, {XK_Control_R, VK_CONTROL},
    {XK_Alt_L, VK_MENU},     {XK_Alt_R, VK_MENU},        {XK_Meta_L, VK_MENU},
    {XK_Meta_R, VK_MENU},    {XK_Prior, VK_PRIOR},       {XK_Next, VK_NEXT},
    {XK_End, VK_END},        {XK_Home, VK_HOME},         {XK_Left, VK_LEFT},
    {XK_Up, VK_UP},          {XK_Right, VK_RIGHT},       {XK_Down, VK_DOWN},
    {XK_Insert, VK_INSERT},  {XK_Delete, VK_DELETE},
};

// The Windows virtual-key code of a key symbol, 0 when it has none.
UINT virtualKeyOf(unsigned long sym) {
  if (sym >= XK_a && sym <= XK_z) return (UINT)(sym - XK_a + 'A');
  if (sym >= XK_0 && sym <= XK_9) return (UINT)(sym - XK_0 + '0');
  if (sym >= XK_F1 && sym <= XK_F24) return (UINT)(sym - XK_F1 + VK_F1);
  for (const KeyCode& k : KEYS)
    if (k.keysym == sym) return k.vk;
  return 0;
}

void onStopSignal(int sig) { state().stopSignalled = sig; }

}  // namespace

// Alt (without Control, which makes AltGr) turns keys into system keys, and so does F10.
void keyEvent(HWND hWnd, unsigned long keysym, bool press) {
  UINT vk = virtualKeyOf(keysym);
  if (vk == 0) return;
  bool* down = state().keyDown;
  down[vk] = press;
  bool alt = down[VK_MENU] || (vk == VK_MENU && !press);
  bool system = (alt && !down[VK_CONTROL]) || vk == VK_F10;
  UINT message = press ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  postMessage(hWnd, message, vk, system && alt ? ALT_DOWN : 0);
}

WPARAM keyState(const Held& held) {
  return (held.left ? MK_LBUTTON : 0) | (held.middle ? MK_MBUTTON : 0) |
         (held.right ? MK_RBUTTON : 0) | (held.shift ? MK_SHIFT : 0) |
         (held.control ? MK_CONTROL : 0);
}

// The pressed button is held too, as Windows reports it.
void buttonPressed(HWND hWnd, int button, Held held, int x, int y) {
  const UINT messages[] = {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
  if (button < 1 || button > 3) return;
  (button == 1 ? held.left : button == 2 ? held.middle : held.right) = true;
  postMessage(hWnd, messages[button - 1], keyState(held), MAKELPARAM(x, y));
}

void pointerMoved(HWND hWnd, const Held& held, int x, int y) {
  postMessage(hWnd, WM_MOUSEMOVE, keyState(held), MAKELPARAM(x, y));
}

// Iconifying hides the window; it counts as minimised until it is shown again.
void windowMinimised(WindowRecord& r) {
  if (r.minimised) return;
  r.minimised = true;
  HWND hWnd = r.handle;
  sendMessage(hWnd, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0);
  if (findWindow(hWnd)) sendMessage(hWnd, WM_SIZE, SIZE_MINIMIZED, 0);
}

void windowRestored(WindowRecord& r) {
  if (!r.minimised) return;
  r.minimised = false;
  HWND hWnd = r.handle;
  sendMessage(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(r.width, r.height));
  if (findWindow(hWnd)) sendMessage(hWnd, WM_ACTIVATE, WA_ACTIVE, 0);
}

void windowResized(WindowRecord& r, int width, int height) {
  if (width == r.width && height == r.height) return;
  r.width = width;
  r.height = height;
  sendMessage(r.handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
}

void closeRequested(HWND hWnd) { sendMessage(hWnd, WM_CLOSE, 0, 0); }

LRESULT sendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowRecord* r = findWindow(hWnd);
  return r ? r->proc(hWnd, message, wParam, lParam) : 0;
}

// Like Windows, successive mouse moves fold into the latest one.
void postMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG msg = {};
  msg.hwnd = hWnd;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  std::deque<MSG>& q = state().queue;
  if (message == WM_MOUSEMOVE && !q.empty() && q.back().message == WM_MOUSEMOVE)
    q.back() = msg;
  else
    q.push_back(msg);
}

void installStopSignals() {
  struct sigaction action = {};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

}  // namespace layer

using namespace layer;

// A stop signal closes the run as WM_QUIT would. With nothing queued the window system may wait
// for its next event before the loop draws (while the show's next frame is not yet wanted).
BOOL PeekMessageA(LPMSG msg, HWND, UINT, UINT, UINT) {
  State& s = state();
  const WindowSystem* ws = windowSystem();
  if (ws && !s.stopSignalled) ws->pumpEvents(s.queue.empty());
  if (s.stopSignalled) {
    *msg = MSG{};
    msg->message = WM_QUIT;
    return TRUE;
  }
  if (s.queue.empty()) return FALSE;
  *msg = s.queue.front();
  s.queue.pop_front();
  return TRUE;
}

BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DispatchMessageA(const MSG* msg) {
  return msg->hwnd ? sendMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam) : 0;
}

void PostQuitMessage(int exitCode) { postMessage(NULL, WM_QUIT, (WPARAM)exitCode, 0); }

// Alt+F4 becomes the close command, and the close command WM_CLOSE; nothing else is done.
LRESULT DefWindowProcA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSKEYDOWN && wParam == VK_F4 && (lParam & ALT_DOWN))
    sendMessage(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  if (message == WM_SYSCOMMAND && (wParam & SYSCOMMAND_MASK) == SC_CLOSE)
    sendMessage(hWnd, WM_CLOSE, 0, 0);
  return 0;
}
