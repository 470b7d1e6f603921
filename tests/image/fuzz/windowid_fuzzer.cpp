// libFuzzer target over the hosted mode's window id: the input's NUL-separated fields are
// XSCREENSAVER_WINDOW (unset when empty) and the command line, each field also parsed alone. An
// id taken fits an X id's 32 bits and is its text's digits: printed back in its base it gives
// the text without its prefix and leading zeros. Anything else aborts.
#include <strings.h>

#include <vector>

#include "platform/linux/x11.h"

// The program's own entry file, its main renamed so that libFuzzer's runs.
#define main dravik_main
#include "platform/linux/main.cpp"
#undef main

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { abort(); }  // never run here

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> fields(1);
  for (size_t i = 0; i < size; ++i)
    data[i] ? fields.back() += (char)data[i] : fields.emplace_back();
  const char* env = fields[0].c_str();
  *env ? setenv("XSCREENSAVER_WINDOW", env, 1) : unsetenv("XSCREENSAVER_WINDOW");
  std::vector<char*> argv;
  for (std::string& field : fields) argv.push_back(field.data());
  bool asked;
  if (hostWindow((int)argv.size(), argv.data(), &asked) > 0xFFFFFFFF) abort();
  for (const std::string& text : fields) {
    Window id = parseWindow(text.c_str());
    bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* digits = text.c_str() + (hex ? 2 : 0);
    char back[32];
    snprintf(back, sizeof back, hex ? "%lx" : "%lu", id);
    if (id && (id > 0xFFFFFFFF || strcasecmp(back, digits + strspn(digits, "0")) != 0)) abort();
  }
  return 0;
}
