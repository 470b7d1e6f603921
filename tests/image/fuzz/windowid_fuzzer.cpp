// libFuzzer target over the hosted mode's window id: the input's NUL-separated fields are
// XSCREENSAVER_WINDOW (none when empty) and the command line with the program's name first, each
// field also given alone after --window-id. An id taken fits an X id's 32 bits and is its text's
// digits: printed back in its base it gives the text without its prefix and leading zeros.
// Anything else aborts.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>

#include <vector>

#include "platform/linux/layer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> fields(1);
  for (size_t i = 0; i < size; ++i)
    data[i] ? fields.back() += (char)data[i] : fields.emplace_back();
  std::vector<char*> argv;
  for (size_t i = 2; i < fields.size(); ++i) argv.push_back(fields[i].data());
  const char* env = fields[0].empty() ? nullptr : fields[0].c_str();
  if (layer::parseLaunch((int)argv.size(), argv.data(), env).window > 0xFFFFFFFF) abort();
  for (std::string& text : fields) {
    char option[] = "--window-id";
    char* args[] = {option, text.data()};
    unsigned long id = layer::parseLaunch(2, args, nullptr).window;
    bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* digits = text.c_str() + (hex ? 2 : 0);
    char back[32];
    snprintf(back, sizeof back, hex ? "%lx" : "%lu", id);
    if (id && (id > 0xFFFFFFFF || strcasecmp(back, digits + strspn(digits, "0")) != 0)) abort();
  }
  return 0;
}
