// The registry, read only, from the user's .reg file: HKEY_CURRENT_USER and the keys below it.
#include <string.h>
#include <strings.h>

#include <fstream>
#include <set>
#include <sstream>

#include "platform/linux/regfile.h"
#include "platform/system.h"

namespace {

const LSTATUS kInvalidHandle = 6;      // ERROR_INVALID_HANDLE
const LSTATUS kInvalidParameter = 87;  // ERROR_INVALID_PARAMETER
const char kRoot[] = "HKEY_CURRENT_USER";

// An open key: its values as the file held them when the key was opened.
struct OpenKey {
  regfile::Values values;
};

std::set<OpenKey*>& openKeys() {
  static std::set<OpenKey*> keys;
  return keys;
}

regfile::Keys readUserFile() {
  regfile::Keys keys;
  std::string path = regfile::userFilePath();
  if (path.empty()) return keys;
  std::ifstream in(path, std::ios::binary);
  if (!in) return keys;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  regfile::parse(bytes.str(), keys);
  return keys;
}

// A key exists when it has a section of its own or one below it.
bool keyExists(const regfile::Keys& keys, const std::string& path) {
  if (keys.count(path)) return true;
  auto below = keys.lower_bound(path + "\\");
  return below != keys.end() && below->first.size() > path.size() &&
         strncasecmp(below->first.c_str(), (path + "\\").c_str(), path.size() + 1) == 0;
}

OpenKey* asOpenKey(HKEY key) {
  OpenKey* k = (OpenKey*)key;
  return openKeys().count(k) ? k : nullptr;
}

}  // namespace

LSTATUS RegOpenKeyExA(HKEY parent, LPCSTR subKey, DWORD, REGSAM, PHKEY result) {
  if (!result) return kInvalidParameter;
  *result = NULL;
  if (parent != HKEY_CURRENT_USER) return kInvalidHandle;
  std::string path = kRoot;
  if (subKey && subKey[0]) path += std::string("\\") + subKey;
  while (path.back() == '\\') path.pop_back();
  regfile::Keys keys = readUserFile();
  if (!keyExists(keys, path)) return ERROR_FILE_NOT_FOUND;
  OpenKey* key = new OpenKey{keys[path]};
  openKeys().insert(key);
  *result = (HKEY)key;
  return ERROR_SUCCESS;
}

// String values only; a value of another type is treated as absent. The text is copied
// with its terminating zero, and only when it fits the caller's buffer.
LSTATUS RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size) {
  OpenKey* k = asOpenKey(key);
  if (!k) return kInvalidHandle;
  if (data && !size) return kInvalidParameter;
  auto it = k->values.find(name ? name : "");
  if (it == k->values.end() || !it->second.isString) return ERROR_FILE_NOT_FOUND;
  const std::string& text = it->second.text;
  DWORD needed = (DWORD)text.size() + 1;
  if (type) *type = REG_SZ;
  if (!data) {
    if (size) *size = needed;
    return ERROR_SUCCESS;
  }
  if (*size < needed) {
    *size = needed;
    return ERROR_MORE_DATA;
  }
  memcpy(data, text.c_str(), needed);
  *size = needed;
  return ERROR_SUCCESS;
}

LSTATUS RegCloseKey(HKEY key) {
  if (key == HKEY_CURRENT_USER) return ERROR_SUCCESS;
  OpenKey* k = asOpenKey(key);
  if (!k) return kInvalidHandle;
  openKeys().erase(k);
  delete k;
  return ERROR_SUCCESS;
}
