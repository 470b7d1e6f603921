// Start-up before the window: the run mode, the parent-window setting, the working directory.
// The calls that read them are checked in order in window_test.cpp.
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

// The setting is read like atoi, clamped to 32 bits. "12" after a longer value: its stale bytes
// must not leak in; a value too large for the buffer counts as absent.
TEST_F(StartupTest, SettingNamesTheParentOrFullScreen) {
  // clang-format off
  const std::pair<std::optional<std::string>, intptr_t> settings[] = {
      {"123", 123}, {"0", 0}, {std::nullopt, 0}, {"  -17x", -17}, {"99999", 99999}, {"12", 12},
      {std::string(10005, '7'), 0}, {"  42abc", 42}, {"+8", 8}, {"abc", 0}, {"", 0}, {"\t\r9", 9},
      {"-17", -17}, {"2147483647", INT_MAX}, {"99999999999999999999999", INT_MAX},
      {"-99999999999999999999999", INT_MIN}};
  // clang-format on
  for (const auto& [value, parent] : settings) {
    os().parentHwndValue = value;
    fake::runWinMain("/c");
    EXPECT_EQ(lHwndParent, (HWND)parent) << value.value_or("(none)").substr(0, 12);
  }
}

TEST_F(StartupTest, WorkingDirectoryBecomesTheExecutablesFolder) {
  // A path too long is cut off without its zero: the buffer's own ends it, also after a separator.
  std::string tooLong(300, 'x'), deep = "/" + std::string(258, 'x');
  // clang-format off
  const std::pair<std::string, std::string> paths[] = {
      {"/opt/my games/dravik/dravik", "/opt/my games/dravik/"}, {"/dravik", "/"},
      {"dravik", "dravik"}, {tooLong, tooLong.substr(0, 259)}, {deep + "/dravik", deep}};
  // clang-format on
  for (const auto& [path, folder] : paths) {
    fake::reset();
    os().moduleFileName = path;
    fake::runWinMain("/c");
    EXPECT_EQ(os().count("_chdir(" + folder + ")"), 1) << path;
  }
}
