// The registry export format: a header line, [key] sections and "name"=value lines.
#include "platform/linux/regfile.h"

#include <stdlib.h>
#include <strings.h>

#include <sstream>
#include <vector>

namespace regfile {

bool NoCaseLess::operator()(const std::string& a, const std::string& b) const {
  return strcasecmp(a.c_str(), b.c_str()) < 0;
}

namespace {

void appendUtf8(std::string& out, unsigned long c) {
  if (c < 0x80) {
    out += (char)c;
  } else if (c < 0x800) {
    out += (char)(0xC0 | (c >> 6));
    out += (char)(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += (char)(0xE0 | (c >> 12));
    out += (char)(0x80 | ((c >> 6) & 0x3F));
    out += (char)(0x80 | (c & 0x3F));
  } else {
    out += (char)(0xF0 | (c >> 18));
    out += (char)(0x80 | ((c >> 12) & 0x3F));
    out += (char)(0x80 | ((c >> 6) & 0x3F));
    out += (char)(0x80 | (c & 0x3F));
  }
}

// regedit writes UTF-16LE with a byte-order mark; everything else is taken as UTF-8.
std::string toUtf8(const std::string& bytes) {
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return bytes.substr(3);
  if (bytes.compare(0, 2, "\xFF\xFE") != 0) return bytes;
  std::string out;
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
    unsigned long c = (unsigned char)bytes[i] | ((unsigned char)bytes[i + 1] << 8);
    if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
      unsigned long low = (unsigned char)bytes[i + 2] | ((unsigned char)bytes[i + 3] << 8);
      if (low >= 0xDC00 && low < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    appendUtf8(out, c);
  }
  return out;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    result.push_back(line);
  }
  return result;
}

std::string trimmed(const std::string& s) {
  size_t first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// A quoted text starting at s[pos] == '"', with \\ and \" unescaped. On success pos is past
// the closing quote.
bool quoted(const std::string& s, size_t& pos, std::string& out) {
  if (pos >= s.size() || s[pos] != '"') return false;
  out.clear();
  for (size_t i = pos + 1; i < s.size(); ++i) {
    char c = s[i];
    if (c == '"') {
      pos = i + 1;
      return true;
    }
    if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) c = s[++i];
    out += c;
  }
  return false;  // no closing quote
}

// Whether a key is deleted by a "[-key]" section: it and everything below it go.
void removeKey(Keys& keys, const std::string& path) {
  for (auto it = keys.begin(); it != keys.end();) {
    bool below = it->first.size() > path.size() && it->first[path.size()] == '\\' &&
                 strncasecmp(it->first.c_str(), path.c_str(), path.size()) == 0;
    it = (below || !strcasecmp(it->first.c_str(), path.c_str())) ? keys.erase(it) : std::next(it);
  }
}

// One "name"=data line (data may have continued over lines ending in a backslash).
void valueLine(const std::string& line, Values& values) {
  size_t pos = 0;
  std::string name;
  if (line[0] == '@') {
    pos = 1;  // the key's default value has the empty name
  } else if (!quoted(line, pos, name)) {
    return;
  }
  std::string rest = trimmed(line.substr(pos));
  if (rest.empty() || rest[0] != '=') return;
  std::string data = trimmed(rest.substr(1));
  if (data == "-") {
    values.erase(name);
    return;
  }
  Value value;
  size_t start = 0;
  if (!data.empty() && data[0] == '"') {
    if (!quoted(data, start, value.text) || start != data.size()) return;
    value.isString = true;
  } else if (data.compare(0, 6, "dword:") != 0 && data.compare(0, 3, "hex") != 0) {
    return;
  }
  values[name] = value;
}

}  // namespace

bool parse(const std::string& bytes, Keys& keys) {
  keys.clear();
  std::vector<std::string> all = lines(toUtf8(bytes));
  size_t i = 0;
  while (i < all.size() && trimmed(all[i]).empty()) ++i;
  if (i == all.size()) return false;
  std::string header = trimmed(all[i]);
  if (header != "Windows Registry Editor Version 5.00" && header != "REGEDIT4") return false;
  Values* current = nullptr;
  for (++i; i < all.size(); ++i) {
    std::string line = trimmed(all[i]);
    while (!line.empty() && line.back() == '\\' && i + 1 < all.size())  // continued data
      line = line.substr(0, line.size() - 1) + trimmed(all[++i]);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[' && line.back() == ']') {
      std::string path = line.substr(1, line.size() - 2);
      current = nullptr;
      if (!path.empty() && path[0] == '-')
        removeKey(keys, path.substr(1));
      else
        current = &keys[path];
      continue;
    }
    if (current) valueLine(line, *current);
  }
  return true;
}

std::string userFilePath() {
  const char* config = getenv("XDG_CONFIG_HOME");
  if (config && config[0] == '/') return std::string(config) + "/dravik/registry.reg";
  const char* home = getenv("HOME");
  if (home && home[0]) return std::string(home) + "/.config/dravik/registry.reg";
  return "";
}

}  // namespace regfile
