// The one way into <windows.h> for the Win32 layer, with its macros pinned, and the headers of the common
// controls, dialogs and shell, which need it first.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// Kept apart: these must follow <windows.h>.
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
