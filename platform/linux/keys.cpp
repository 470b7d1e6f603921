// Key symbols to Windows virtual-key codes (the US layout's codes for punctuation).
#include <X11/keysym.h>

#include "platform/linux/xwin.h"

namespace {

struct KeySymCode {
  unsigned long keysym;
  UINT vk;
};

const KeySymCode kKeys[] = {
    {XK_BackSpace, VK_BACK},
    {XK_Tab, VK_TAB},
    {XK_ISO_Left_Tab, VK_TAB},
    {XK_Return, VK_RETURN},
    {XK_KP_Enter, VK_RETURN},
    {XK_Escape, VK_ESCAPE},
    {XK_space, VK_SPACE},
    {XK_Pause, VK_PAUSE},
    {XK_Caps_Lock, VK_CAPITAL},
    {XK_Shift_L, VK_SHIFT},
    {XK_Shift_R, VK_SHIFT},
    {XK_Control_L, VK_CONTROL},
    {XK_Control_R, VK_CONTROL},
    {XK_Alt_L, VK_MENU},
    {XK_Alt_R, VK_MENU},
    {XK_Meta_L, VK_MENU},
    {XK_Meta_R, VK_MENU},
    {XK_ISO_Level3_Shift, VK_MENU},
    {XK_Super_L, VK_LWIN},
    {XK_Super_R, VK_RWIN},
    {XK_Menu, 0x5D /* VK_APPS */},
    {XK_Prior, VK_PRIOR},
    {XK_Next, VK_NEXT},
    {XK_End, VK_END},
    {XK_Home, VK_HOME},
    {XK_Left, VK_LEFT},
    {XK_Up, VK_UP},
    {XK_Right, VK_RIGHT},
    {XK_Down, VK_DOWN},
    {XK_Insert, VK_INSERT},
    {XK_Delete, VK_DELETE},
    {XK_Print, 0x2C /* VK_SNAPSHOT */},
    {XK_Num_Lock, VK_NUMLOCK},
    {XK_Scroll_Lock, VK_SCROLL},
    // The keypad: digits while Num Lock is on, the editing keys while it is off.
    {XK_KP_Prior, VK_PRIOR},
    {XK_KP_Next, VK_NEXT},
    {XK_KP_End, VK_END},
    {XK_KP_Home, VK_HOME},
    {XK_KP_Left, VK_LEFT},
    {XK_KP_Up, VK_UP},
    {XK_KP_Right, VK_RIGHT},
    {XK_KP_Down, VK_DOWN},
    {XK_KP_Insert, VK_INSERT},
    {XK_KP_Delete, VK_DELETE},
    {XK_KP_Begin, 0x0C /* VK_CLEAR */},
    {XK_KP_Multiply, VK_MULTIPLY},
    {XK_KP_Add, VK_ADD},
    {XK_KP_Separator, 0x6C},
    {XK_KP_Subtract, VK_SUBTRACT},
    {XK_KP_Decimal, VK_DECIMAL},
    {XK_KP_Divide, VK_DIVIDE},
    {XK_semicolon, VK_OEM_1},
    {XK_equal, VK_OEM_PLUS},
    {XK_comma, VK_OEM_COMMA},
    {XK_minus, VK_OEM_MINUS},
    {XK_period, VK_OEM_PERIOD},
    {XK_slash, VK_OEM_2},
    {XK_grave, VK_OEM_3},
    {XK_bracketleft, VK_OEM_4},
    {XK_backslash, VK_OEM_5},
    {XK_bracketright, VK_OEM_6},
    {XK_apostrophe, VK_OEM_7},
    {XK_less, 0xE2 /* VK_OEM_102 */},
};

// Keys Windows flags as extended: the right-hand modifiers and the cluster between the
// main block and the keypad, plus the keypad's Enter and divide.
const unsigned long kExtended[] = {
    XK_Control_R, XK_Alt_R,    XK_ISO_Level3_Shift,
    XK_Insert,    XK_Delete,   XK_Home,
    XK_End,       XK_Prior,    XK_Next,
    XK_Left,      XK_Up,       XK_Right,
    XK_Down,      XK_KP_Enter, XK_KP_Divide,
    XK_Num_Lock,  XK_Print,    XK_Super_L,
    XK_Super_R,   XK_Menu,
};

}  // namespace

UINT virtualKeyOf(unsigned long keysym) {
  if (keysym >= XK_a && keysym <= XK_z) return (UINT)(keysym - XK_a + 'A');
  if (keysym >= XK_A && keysym <= XK_Z) return (UINT)(keysym - XK_A + 'A');
  if (keysym >= XK_0 && keysym <= XK_9) return (UINT)(keysym - XK_0 + '0');
  if (keysym >= XK_KP_0 && keysym <= XK_KP_9) return (UINT)(keysym - XK_KP_0 + VK_NUMPAD0);
  if (keysym >= XK_F1 && keysym <= XK_F24) return (UINT)(keysym - XK_F1 + VK_F1);
  for (const KeySymCode& k : kKeys)
    if (k.keysym == keysym) return k.vk;
  return 0;
}

bool isExtendedKey(unsigned long keysym) {
  for (unsigned long k : kExtended)
    if (k == keysym) return true;
  return false;
}
