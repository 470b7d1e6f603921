// Events and input: the message queue, X events of our windows turned into window messages
// (keys by virtual-key code, mouse buttons with their MK_ flags, moves, size, iconify, the
// window manager's close request), and the stop signals.
// Implements PeekMessageA (all windows, all messages, PM_REMOVE), TranslateMessage,
// DispatchMessageA, DefWindowProcA (Alt+F4 and the close command) and PostQuitMessage. No
// character, wheel or button-release messages are made: nothing here reads them.
#include <X11/keysym.h>

#include "platform/linux/x11.h"

namespace x11 {
namespace {

const LPARAM ALT_DOWN = 1 << 29;      // key message context code: Alt was held
const UINT SYSCOMMAND_MASK = 0xFFF0;  // the low four bits of a system command are Windows' own

struct KeyCode {
  KeySym keysym;
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
UINT virtualKeyOf(KeySym sym) {
  if (sym >= XK_a && sym <= XK_z) return (UINT)(sym - XK_a + 'A');
  if (sym >= XK_0 && sym <= XK_9) return (UINT)(sym - XK_0 + '0');
  if (sym >= XK_F1 && sym <= XK_F24) return (UINT)(sym - XK_F1 + VK_F1);
  for (const KeyCode& k : KEYS)
    if (k.keysym == sym) return k.vk;
  return 0;
}

// Alt (without Control, which makes AltGr) turns keys into system keys, and so does F10.
void translateKey(XKeyEvent& e) {
  UINT vk = virtualKeyOf(XLookupKeysym(&e, 0));
  if (vk == 0) return;
  bool press = e.type == KeyPress;
  bool* down = state().keyDown;
  down[vk] = press;
  bool alt = down[VK_MENU] || (vk == VK_MENU && !press);
  bool system = (alt && !down[VK_CONTROL]) || vk == VK_F10;
  UINT message = press ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  postMessage(toHwnd(e.window), message, vk, system && alt ? ALT_DOWN : 0);
}

// The buttons and modifier keys held, as Windows reports them in wParam.
WPARAM keyState(unsigned int state) {
  WPARAM flags = 0;
  if (state & Button1Mask) flags |= MK_LBUTTON;
  if (state & Button2Mask) flags |= MK_MBUTTON;
  if (state & Button3Mask) flags |= MK_RBUTTON;
  if (state & ShiftMask) flags |= MK_SHIFT;
  if (state & ControlMask) flags |= MK_CONTROL;
  return flags;
}

// X reports the state before the event, so the pressed button is added to it.
void translateButton(const XButtonEvent& e) {
  const struct {
    unsigned int button;
    UINT message;
    WPARAM flag;
  } buttons[] = {{Button1, WM_LBUTTONDOWN, MK_LBUTTON},
                 {Button2, WM_MBUTTONDOWN, MK_MBUTTON},
                 {Button3, WM_RBUTTONDOWN, MK_RBUTTON}};
  for (const auto& b : buttons)
    if (e.button == b.button)
      postMessage(toHwnd(e.window), b.message, keyState(e.state) | b.flag, MAKELPARAM(e.x, e.y));
}

// Iconifying unmaps the window (only a shown window can be unmapped); it counts as minimised
// until it is mapped again.
void minimise(WindowRecord& r) {
  if (r.minimised) return;
  r.minimised = true;
  HWND hWnd = toHwnd(r.id);
  sendMessage(hWnd, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0);
  if (findWindow(hWnd)) sendMessage(hWnd, WM_SIZE, SIZE_MINIMIZED, 0);
}

void restore(WindowRecord& r) {
  if (!r.minimised) return;
  r.minimised = false;
  HWND hWnd = toHwnd(r.id);
  sendMessage(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(r.width, r.height));
  if (findWindow(hWnd)) sendMessage(hWnd, WM_ACTIVATE, WA_ACTIVE, 0);
}

void resize(WindowRecord& r, int width, int height) {
  if (width == r.width && height == r.height) return;
  r.width = width;
  r.height = height;
  sendMessage(toHwnd(r.id), WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
}

// ICCCM 4.2.8.1: the manager asks a window to close with WM_DELETE_WINDOW in WM_PROTOCOLS.
bool isCloseRequest(const XClientMessageEvent& e) {
  return e.message_type == state().atoms.wmProtocols &&
         (Atom)e.data.l[0] == state().atoms.wmDeleteWindow;
}

void translate(XEvent& e) {
  if (e.type == GenericEvent) return notePointerMotion(e);
  if (e.type == ConfigureNotify && e.xany.window == state().hostWindow) fitToHost();
  if ((e.type == MapNotify || e.type == ConfigureNotify) &&
      e.xany.window == DefaultRootWindow(display()))
    keepFullScreenOnTop(e);  // another client's window
  WindowRecord* r = findWindow(e.xany.window);
  if (!r) return;  // not ours, or already destroyed
  HWND hWnd = toHwnd(r->id);
  switch (e.type) {
    case KeyPress:
    case KeyRelease:
      translateKey(e.xkey);
      break;
    case ButtonPress:
      translateButton(e.xbutton);
      break;
    case MotionNotify:
      postMessage(hWnd, WM_MOUSEMOVE, keyState(e.xmotion.state),
                  MAKELPARAM(e.xmotion.x, e.xmotion.y));
      break;
    case ConfigureNotify:
      resize(*r, e.xconfigure.width, e.xconfigure.height);
      break;
    case UnmapNotify:
      minimise(*r);
      break;
    case MapNotify:
      restore(*r);
      break;
    case DestroyNotify:
      forgetWindow(r->id);
      break;
    case ClientMessage:
      if (isCloseRequest(e.xclient)) sendMessage(hWnd, WM_CLOSE, 0, 0);
      break;
  }
}

void onStopSignal(int sig) { state().stopSignalled = sig; }

}  // namespace

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

}  // namespace x11

using namespace x11;

// A stop signal closes the run as WM_QUIT would.
BOOL PeekMessageA(LPMSG msg, HWND, UINT, UINT, UINT) {
  State& s = state();
  if (s.stopSignalled) {
    *msg = MSG{};
    msg->message = WM_QUIT;
    return TRUE;
  }
  if (Display* d = display()) {
    while (XPending(d)) {
      XEvent e;
      XNextEvent(d, &e);
      translate(e);
    }
    reportErrors();  // after the events: a window's end comes before errors about it
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
