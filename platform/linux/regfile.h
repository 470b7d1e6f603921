// Reading a registry export file (.reg): the keys, and each key's values by name.
// Kept free of X and of the Win32 declarations so it can be tested on its own.
#pragma once

#include <map>
#include <string>

namespace regfile {

struct Value {
  bool isString = false;  // REG_SZ; other types (dword:, hex:) are only known to exist
  std::string text;       // the string, in UTF-8
};

// Key paths and value names compare regardless of letter case, as in the registry.
struct NoCaseLess {
  bool operator()(const std::string& a, const std::string& b) const;
};
using Values = std::map<std::string, Value, NoCaseLess>;
using Keys = std::map<std::string, Values, NoCaseLess>;

// Parses the bytes of a file in the export format ("Windows Registry Editor Version 5.00" or
// "REGEDIT4" first), UTF-8 or UTF-16LE with a byte-order mark, LF or CRLF line ends.
// Returns false, with nothing in keys, when the bytes are not such a file.
bool parse(const std::string& bytes, Keys& keys);

// Where the stand-in for HKEY_CURRENT_USER lives:
// ${XDG_CONFIG_HOME:-$HOME/.config}/dravik/registry.reg; empty when neither is set.
std::string userFilePath();

}  // namespace regfile
