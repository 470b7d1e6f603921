// The registry stand-in, read only: HKEY_CURRENT_USER and the keys below it come from the user's
// file in the registry's export format (unless a screen-saver daemon or a locker hosts the
// program), ${XDG_CONFIG_HOME:-$HOME/.config}/dravik/registry.reg
// ("Windows Registry Editor Version 5.00" or "REGEDIT4" first; UTF-8, or UTF-16LE with a
// byte-order mark as regedit writes it; LF or CRLF line ends).
// Implements RegOpenKeyExA, RegQueryValueExA (string values) and RegCloseKey.
#include <stdlib.h>
#include <string.h>

#include <fstream>
#include <sstream>

#include "platform/linux/layer.h"
#include "platform/setting.h"

namespace layer {
namespace {

const LSTATUS ERROR_INVALID_HANDLE = 6;

// A key's string values by name; values of other types (dword:, hex:) count as absent.
using Values = std::map<std::string, std::string, NoCaseLess>;
using Keys = std::map<std::string, Values, NoCaseLess>;

void appendUtf8(std::string& out, unsigned long c) {
  if (c < 0x80) {
    out += (char)c;
    return;
  }
  static const unsigned char lead[] = {0, 0xC0, 0xE0, 0xF0};  // by count of following bytes
  int extra = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
  out += (char)(lead[extra] | (c >> (6 * extra)));
  for (int shift = 6 * (extra - 1); shift >= 0; shift -= 6)
    out += (char)(0x80 | ((c >> shift) & 0x3F));
}

// UTF-16LE with a byte-order mark becomes UTF-8; everything else is taken as UTF-8.
std::string toUtf8(const std::string& bytes) {
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return bytes.substr(3);
  if (bytes.compare(0, 2, "\xFF\xFE") != 0) return bytes;
  auto unit = [&](size_t i) {
    return (unsigned long)(unsigned char)bytes[i] |
           ((unsigned long)(unsigned char)bytes[i + 1] << 8);
  };
  std::string out;
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
    unsigned long c = unit(i);
    if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
        unit(i + 2) < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);  // a surrogate pair
      i += 2;
    }
    appendUtf8(out, c);
  }
  return out;
}

std::string trimmed(const std::string& s) {
  size_t first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// A quoted text at s[pos], with \\ and \" unescaped; pos ends past the closing quote.
bool quoted(const std::string& s, size_t& pos, std::string& out) {
  if (pos >= s.size() || s[pos] != '"') return false;
  out.clear();
  for (size_t i = pos + 1; i < s.size(); ++i) {
    if (s[i] == '"') {
      pos = i + 1;
      return true;
    }
    if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) ++i;
    out += s[i];
  }
  return false;  // no closing quote
}

// One "name"="text" line; any other value type or a malformed line is skipped.
void valueLine(const std::string& line, Values& values) {
  size_t pos = 0;
  std::string name, text;
  if (!quoted(line, pos, name)) return;
  std::string rest = trimmed(line.substr(pos));
  if (rest.empty() || rest[0] != '=') return;
  std::string data = trimmed(rest.substr(1));
  size_t end = 0;
  if (quoted(data, end, text) && end == data.size()) values[name] = text;
}

}  // namespace

// The file's keys and their string values (the fuzz target calls it too).
Keys parseRegistry(const std::string& bytes) {
  Keys keys;
  std::istringstream in(toUtf8(bytes));
  std::string line;
  while (std::getline(in, line) && trimmed(line).empty()) {
  }
  line = trimmed(line);
  if (line != "Windows Registry Editor Version 5.00" && line != "REGEDIT4") return keys;
  Values* current = nullptr;
  while (std::getline(in, line)) {
    line = trimmed(line);
    if (line.size() > 1 && line[0] == '[' && line.back() == ']')
      current = &keys[line.substr(1, line.size() - 2)];
    else if (current)
      valueLine(line, *current);
  }
  return keys;
}

namespace {

// The keys of the user's file.
Keys readUserFile() {
  const char* config = getenv("XDG_CONFIG_HOME");
  const char* home = getenv("HOME");
  std::string path;
  if (config && config[0] == '/')
    path = std::string(config) + "/dravik/registry.reg";
  else if (home && home[0])
    path = std::string(home) + "/.config/dravik/registry.reg";
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return parseRegistry(bytes.str());
}

// Hosted by a daemon or a locker, the setting names the host's window (0: full screen); the
// user's file is not read.
Keys readKeys() {
  if (!launch().hosted) return readUserFile();
  Keys keys;
  keys[std::string("HKEY_CURRENT_USER\\") + SETTINGS_KEY][SETTINGS_VALUE] =
      std::to_string((uintptr_t)state().hostParent);
  return keys;
}

// An open key is its values as the file held them when it was opened.
std::set<void*>& openKeys() { return state().registryKeys; }

}  // namespace

std::string userSetting() {
  Keys keys = readUserFile();
  auto key = keys.find(std::string("HKEY_CURRENT_USER\\") + SETTINGS_KEY);
  if (key == keys.end()) return "";
  auto value = key->second.find(SETTINGS_VALUE);
  return value == key->second.end() ? "" : value->second;
}
}  // namespace layer

using namespace layer;

LSTATUS RegOpenKeyExA(HKEY parent, LPCSTR subKey, DWORD, REGSAM, PHKEY result) {
  *result = NULL;
  if (parent != HKEY_CURRENT_USER) return ERROR_INVALID_HANDLE;
  Keys keys = readKeys();
  auto key = keys.find(std::string("HKEY_CURRENT_USER\\") + subKey);
  if (key == keys.end()) return ERROR_FILE_NOT_FOUND;
  Values* values = new Values(key->second);
  openKeys().insert(values);
  *result = (HKEY)values;
  return ERROR_SUCCESS;
}

// The text is copied with its terminating zero, and only when it fits the caller's buffer.
LSTATUS RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size) {
  Values* values = (Values*)key;
  if (!openKeys().count(values)) return ERROR_INVALID_HANDLE;
  auto value = values->find(name);
  if (value == values->end()) return ERROR_FILE_NOT_FOUND;
  DWORD needed = (DWORD)value->second.size() + 1;
  if (*size < needed) {
    *size = needed;
    return ERROR_MORE_DATA;
  }
  memcpy(data, value->second.c_str(), needed);
  *size = needed;
  *type = REG_SZ;
  return ERROR_SUCCESS;
}

LSTATUS RegCloseKey(HKEY key) {
  Values* values = (Values*)key;
  if (!openKeys().erase(values)) return ERROR_INVALID_HANDLE;
  delete values;
  return ERROR_SUCCESS;
}
