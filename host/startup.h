// Start-up steps that come before the window: the setting, the working directory, the run mode.
#pragma once

#include "platform/setting.h"
#include "platform/system.h"

#define SETTING_BUFFER_SIZE 10000

// The parent window named by the setting; 0 (full screen) when it is absent or not a number.
HWND readParentHwnd();

// Makes the executable's folder the working directory, so Data/ is found from anywhere.
void enterExecutableFolder();

// True for the texts that run the screen saver: "" and "/s" in any letter case.
bool isRunRequest(const char* cmdLine);

// atoi's reading of a decimal text, clamped to 32 bits instead of overflowing.
int parseDecimal(const char* text);
