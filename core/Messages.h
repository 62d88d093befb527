// The control's own message ids: what it tells its parent, what it posts to itself, and
// the commands of its context menu. Windows' own messages are in platform/base/WinTypes.h.
#pragma once

#include "platform/base/WinTypes.h"

// Sent or posted to the parent window.
constexpr UINT ZEM_LINKCLICKED = 0x401;  // a link was clicked: wParam points to the hit
constexpr UINT ZEM_RCLICK = 0x402;       // a right click on content: wParam points to the hit
constexpr UINT ZEM_CONTEXTMENU = 0x403;  // the context menu is due: control id, screen point
constexpr UINT ZEM_CHANGE = 0x465;       // the document changed: control id, change mode
constexpr UINT ZEM_FOCUS = 0x466;        // the control got the focus: control id

// Private messages of the control.
constexpr UINT ZEM_SKINVSCROLL = 0x7E9;          // the host's scroll bar moved: wParam position
constexpr UINT ZEM_TIMERPULSE = WM_USER + 3003;  // the shared timer's pulse (4027)

// Commands of the built-in context menu.
constexpr UINT ZID_CUT = 1201;
constexpr UINT ZID_COPY = 1202;
constexpr UINT ZID_PASTE = 1203;
constexpr UINT ZID_DELETE = 1204;
constexpr UINT ZID_SELECTALL = 1205;
