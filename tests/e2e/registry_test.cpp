// The registry stand-in: the user's .reg file read through RegOpenKeyExA/RegQueryValueExA.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "platform/system.h"
#include "tests/e2e/harness.h"

namespace {

const char kKey[] = "Software\\VB and VBA Program Settings\\VORTEQ\\Screensaver1";
const char kSection[] =
    "[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\VORTEQ\\Screensaver1]";

class Registry : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = e2e::makeTempDir();
    e2e::shell("mkdir -p " + dir_ + "/dravik");
    setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
  }
  void TearDown() override { e2e::shell("rm -rf " + dir_); }

  void writeRegFile(const std::string& bytes) {
    e2e::writeFile(dir_ + "/dravik/registry.reg", bytes);
  }

  // Reads a value into a buffer of the given size, inside a larger one filled with '#'.
  LSTATUS query(const char* name, DWORD size, std::string& text, DWORD* sizeOut = nullptr) {
    HKEY key = NULL;
    LSTATUS opened = RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key);
    if (opened != ERROR_SUCCESS) {
      EXPECT_EQ(key, (HKEY)NULL);
      return opened;
    }
    char buffer[64];
    memset(buffer, '#', sizeof buffer);
    DWORD type = 99;
    DWORD n = size;
    LSTATUS result = RegQueryValueExA(key, name, NULL, &type, (LPBYTE)buffer, &n);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    text.assign(buffer, sizeof buffer);
    if (sizeOut) *sizeOut = n;
    if (result == ERROR_SUCCESS) {
      EXPECT_EQ(type, (DWORD)REG_SZ);
    }
    return result;
  }

  std::string dir_;
};

std::string untouched(size_t n) { return std::string(n, '#'); }

TEST_F(Registry, ReadsTheStringWithItsZeroFromAnExportWithCrLf) {
  writeRegFile(std::string("Windows Registry Editor Version 5.00\r\n\r\n") + kSection +
               "\r\n\"Other\"=dword:00000001\r\n\"ParentHWND\"=\"12345\"\r\n");
  std::string text;
  DWORD size = 0;
  ASSERT_EQ(query("ParentHWND", 64, text, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(text.substr(0, 7), std::string("12345\0#", 7));
}

TEST_F(Registry, ReadsUtf16WithByteOrderMarkAndUnescapesStrings) {
  std::string utf8 = std::string("Windows Registry Editor Version 5.00\n\n") + kSection +
                     "\n\"parenthwnd\"=\"a\\\\b\\\"c\"\n";
  std::string utf16 = "\xFF\xFE";
  for (char c : utf8) utf16 += std::string(1, c) + '\0';
  writeRegFile(utf16);
  std::string text;
  ASSERT_EQ(query("ParentHWND", 64, text), ERROR_SUCCESS);  // value names ignore letter case
  EXPECT_EQ(text.substr(0, 7), std::string("a\\b\"c\0#", 7));
}

TEST_F(Registry, AbsentOrNonStringValuesAreNotFoundAndNothingIsWritten) {
  std::string text;
  EXPECT_EQ(query("ParentHWND", 64, text), ERROR_FILE_NOT_FOUND) << "no file";

  writeRegFile("not a registry file\n" + std::string(kSection) + "\n\"ParentHWND\"=\"1\"\n");
  EXPECT_EQ(query("ParentHWND", 64, text), ERROR_FILE_NOT_FOUND) << "no header";

  std::string header = "Windows Registry Editor Version 5.00\n\n";
  writeRegFile(header + "[HKEY_CURRENT_USER\\Software\\Other]\n\"ParentHWND\"=\"1\"\n");
  EXPECT_EQ(query("ParentHWND", 64, text), ERROR_FILE_NOT_FOUND) << "other key";

  for (const char* data : {"dword:0000007b", "hex:31,32,00", "hex(2):31,00,00,00", "-"}) {
    writeRegFile(header + kSection + "\n\"ParentHWND\"=" + data + "\n");
    EXPECT_EQ(query("ParentHWND", 64, text), ERROR_FILE_NOT_FOUND) << data;
    EXPECT_EQ(text, untouched(64)) << data;
  }
}

TEST_F(Registry, AValueLargerThanTheBufferReportsMoreDataWithoutWriting) {
  writeRegFile(std::string("REGEDIT4\n\n") + kSection + "\n\"ParentHWND\"=\"12345\"\n");
  std::string text;
  DWORD size = 0;
  EXPECT_EQ(query("ParentHWND", 5, text, &size), ERROR_MORE_DATA);  // the zero does not fit
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(text, untouched(64));
  EXPECT_EQ(query("ParentHWND", 6, text, &size), ERROR_SUCCESS);
  EXPECT_EQ(text.substr(0, 7), std::string("12345\0#", 7));
}

TEST_F(Registry, LaterLinesWinAndDeletedKeysAreGone) {
  std::string header = "Windows Registry Editor Version 5.00\n\n";
  writeRegFile(header + kSection + "\n\"ParentHWND\"=\"1\"\n\n" + kSection +
               "\n\"ParentHWND\"=\"2\"\n");
  std::string text;
  ASSERT_EQ(query("ParentHWND", 64, text), ERROR_SUCCESS);
  EXPECT_EQ(text[0], '2');

  writeRegFile(header + kSection + "\n\"ParentHWND\"=\"1\"\n\n" +
               "[-HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings]\n");
  EXPECT_EQ(query("ParentHWND", 64, text), ERROR_FILE_NOT_FOUND);
}

TEST_F(Registry, HandlesThatWereNotOpenedAreRefused) {
  BYTE buffer[8];
  DWORD size = sizeof buffer;
  EXPECT_NE(RegQueryValueExA(NULL, "ParentHWND", NULL, NULL, buffer, &size), ERROR_SUCCESS);
  EXPECT_NE(RegCloseKey((HKEY)buffer), ERROR_SUCCESS);
}

}  // namespace
