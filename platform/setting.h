// The program's one setting, as its separate settings program writes it: a registry key under
// HKEY_CURRENT_USER and a decimal text value in it. The host reads it (host/startup.cpp); on
// Linux the registry stand-in also answers with it when a screen-saver daemon hosts the program
// (platform/linux/registry.cpp). It lives here, beside the platform headers the host already
// includes, because platform/ sits below host/ and must not include the host's headers.
#pragma once

#define SETTINGS_KEY "Software\\VB and VBA Program Settings\\VORTEQ\\Screensaver1"
#define SETTINGS_VALUE "ParentHWND"
