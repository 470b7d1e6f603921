// MessageBoxA: one line "caption: text" on stderr, and a modal dialog when there is a display.
#include <unistd.h>

#include <string>

#include "platform/linux/xwin.h"

namespace {

// One write, so the line stays whole even when other output interleaves.
void writeLine(const std::string& caption, const std::string& text) {
  std::string line = caption + ": " + text;
  for (char& c : line)
    if (c == '\n' || c == '\r') c = ' ';
  line += '\n';
  ssize_t written = write(STDERR_FILENO, line.data(), line.size());
  (void)written;
}

}  // namespace

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT) {
  std::string body = text ? text : "";
  std::string title = caption ? caption : "Error";  // Windows' caption when none is given
  writeLine(title, body);
  // A connection of its own: the dialog's events never mix with the program's messages.
  installXErrorHandler();
  Display* display = XOpenDisplay(NULL);
  if (!display) return IDOK;
  runMessageDialog(display, title, body);
  XCloseDisplay(display);
  return IDOK;
}
