// The framework's standard command ids, window ids, private messages and
// frame styles, with the values the Parts and stored settings rely on.
#pragma once

#include "platform/ui/Menu.h"
#include "platform/ui/WinApi.h"

namespace afx {

// The framework is written against the window system's interface.
using namespace ui;

constexpr UINT ID_FILE_NEW = 0xE100;        // 57600
constexpr UINT ID_FILE_OPEN = 0xE101;       // 57601
constexpr UINT ID_FILE_CLOSE = 0xE102;
constexpr UINT ID_FILE_SAVE = 0xE103;
constexpr UINT ID_APP_ABOUT = 0xE140;       // 57664
constexpr UINT ID_APP_EXIT = 0xE141;        // 57665
constexpr UINT ID_HELP_INDEX = 0xE142;
constexpr UINT ID_HELP_FINDER = 0xE143;     // 57667
constexpr UINT ID_HELP_USING = 0xE144;
constexpr UINT ID_CONTEXT_HELP = 0xE145;    // 57669
constexpr UINT ID_HELP = 0xE146;            // 57670
constexpr UINT ID_VIEW_TOOLBAR = 0xE800;    // 59392
constexpr UINT ID_VIEW_STATUS_BAR = 0xE801; // 59393
constexpr UINT ID_SEPARATOR = 0;

constexpr UINT AFX_IDW_TOOLBAR = 0xE800;
constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;
constexpr UINT AFX_IDW_DOCKBAR_TOP = 0xE81B;
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;

constexpr UINT AFX_IDS_APP_TITLE = 0xE000;  // 57344
constexpr UINT AFX_IDS_UNTITLED = 0xE001;

// The framework's private messages.
constexpr UINT WM_SETMESSAGESTRING = 0x0362;
constexpr UINT WM_IDLEUPDATECMDUI = 0x0363;
constexpr UINT WM_INITIALUPDATE = 0x0364;
constexpr UINT WM_COMMANDHELP = 0x0365;
constexpr UINT WM_HELPHITTEST = 0x0366;
constexpr UINT WM_KICKIDLE = 0x036A;

// Frame styles.
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;
constexpr DWORD FWS_PREFIXTITLE = 0x00004000;
constexpr DWORD FWS_SNAPTOBARS = 0x00002000;

constexpr DWORD AFX_WS_DEFAULT_VIEW = WS_CHILD | WS_VISIBLE | WS_BORDER;

// Help.
constexpr UINT HELP_CONTEXT = 0x0001;
constexpr UINT HELP_QUIT = 0x0002;
constexpr UINT HELP_FINDER = 0x000B;
constexpr DWORD HID_BASE_COMMAND = 0x00010000;
constexpr DWORD HID_BASE_RESOURCE = 0x00020000;

}  // namespace afx
