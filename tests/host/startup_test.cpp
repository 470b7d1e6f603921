// Start-up before the window: the run mode, the parent-window setting, the working directory,
// the display query.
#include "host/startup.h"

#include <climits>

#include "host/glwindow.h"
#include "tests/host/host_test.h"

using StartupTest = HostTest;

TEST_F(StartupTest, RunsOnlyForEmptyTextOrSlashSInAnyCase) {
  const std::pair<const char*, bool> texts[] = {
      {"", true},    {"/s", true},  {"/S", true}, {"/s ", false},    {"/p 123", false},
      {"/p", false}, {"/c", false}, {"x", false}, {"/c:456", false}, {" /s", false}};
  for (auto [text, runs] : texts) {
    SCOPED_TRACE(std::string("'") + text + "'");
    fake::reset();
    os().postMessage(WM_QUIT, 0);
    EXPECT_EQ(fake::runWinMain(text), 0);
    EXPECT_EQ(os().count("CreateWindowExA"), runs ? 1 : 0);
    EXPECT_EQ(os().count("GetSystemMetrics"), runs ? 2 : 0);
    EXPECT_EQ(os().count("glGenTextures"), runs ? 6 : 0);
  }
}

TEST_F(StartupTest, SettingNamesTheParentOrFullScreen) {
  // "12" after a longer value: its stale bytes must not leak in; a value too large for the
  // buffer counts as absent.
  // clang-format off
  const std::pair<std::optional<std::string>, intptr_t> settings[] = {
      {"123", 123}, {"0", 0}, {std::nullopt, 0}, {"  -17x", -17}, {"99999", 99999}, {"12", 12},
      {std::string(10005, '7'), 0}};
  // clang-format on
  for (const auto& [value, parent] : settings) {
    os().parentHwndValue = value;
    fake::runWinMain("/c");
    EXPECT_EQ(lHwndParent, (HWND)parent) << value.value_or("(none)").substr(0, 12);
  }
  int open = os().indexOf(
      "RegOpenKeyExA(0x80000001,Software\\VB and VBA Program Settings\\VORTEQ\\Screensaver1,0,"
      "0x20019)");
  ASSERT_GE(open, 0);
  EXPECT_EQ(os().calls[open + 1], "RegQueryValueExA(0x4500001,ParentHWND,0x0,10000)");
  EXPECT_EQ(os().calls[open + 2], "RegCloseKey(0x4500001)");
}

TEST_F(StartupTest, DecimalTextIsReadLikeAtoiWithoutOverflow) {
  // clang-format off
  const std::pair<const char*, int> texts[] = {
      {"  42abc", 42}, {"-17", -17}, {"+8", 8}, {"abc", 0}, {"", 0}, {"2147483647", INT_MAX},
      {"\t\n9", 9}, {"99999999999999999999999", INT_MAX}, {"-99999999999999999999999", INT_MIN}};
  // clang-format on
  for (auto [text, value] : texts) EXPECT_EQ(parseDecimal(text), value) << text;
}

TEST_F(StartupTest, WorkingDirectoryBecomesTheExecutablesFolder) {
  std::string tooLong(300, 'x');  // cut off without its zero: the buffer's own ends it
  for (auto [path, folder] :
       {std::pair<std::string, std::string>{"/opt/my games/dravik/dravik", "/opt/my games/dravik/"},
        {"/dravik", "/"},
        {"dravik", "dravik"},
        {tooLong, tooLong.substr(0, 259)}}) {
    fake::reset();
    os().moduleFileName = path;
    fake::runWinMain("/c");
    EXPECT_EQ(os().count(std::string("_chdir(") + folder + ")"), 1) << path;
    EXPECT_EQ(os().count("GetModuleFileNameA(0x0,260)"), 1);
  }
}

TEST_F(StartupTest, UnreadableDisplaySettingsShowTheirBoxAndEndWithZero) {
  os().failing.insert("EnumDisplaySettingsA");
  EXPECT_EQ(fake::runWinMain("/s"), 0);
  EXPECT_EQ(hostBoxes(), std::vector<std::string>{"Error: Could Not Enumerate Display Settings 0"});
  EXPECT_EQ(os().count("RegisterClassA"), 0);
}
