// The clipboard with the Windows names: data blocks (see GlobalMemory.h) filed by format
// number, kept by the installed backend. A caller opens the clipboard, reads or replaces its
// blocks, and closes it; while it is open nobody else can open it.
#pragma once

#include "platform/base/WinTypes.h"

// The number of a private format: the same for the same name (compared exactly) throughout
// the process, whichever backend is installed, and distinct between names; numbers start at
// 0xC000. 0 for a null or empty name, a name longer than 255 bytes, or when every number is
// taken.
UINT RegisterClipboardFormatA(LPCSTR name);
// Copies the registered name of format into buffer, cut to size - 1 bytes and zero-ended;
// answers the bytes copied, or 0 for a format that was not registered or a missing buffer.
int GetClipboardFormatNameA(UINT format, LPSTR buffer, int size);

// Opens the clipboard for the calling thread, on behalf of owner (a window, or null). FALSE
// while it is open, by this thread or another party, or for an owner that is not a window.
BOOL OpenClipboard(HWND owner);
// Frees every block the clipboard holds and makes the opening owner the clipboard's owner.
// FALSE unless the calling thread has the clipboard open.
BOOL EmptyClipboard();
// Files a global block under format; the clipboard then owns it and frees the block it held
// for the format before. Answers data, or null (and data stays the caller's) when the calling
// thread does not have the clipboard open, for format 0, or when data is no live block or is
// already filed under another format. Null data (rendering on request) is not supported.
HANDLE SetClipboardData(UINT format, HANDLE data);
// The block filed under format, still owned by the clipboard; null when there is none or the
// calling thread does not have the clipboard open.
HANDLE GetClipboardData(UINT format);
// Whether a block is filed under format; needs no open clipboard.
BOOL IsClipboardFormatAvailable(UINT format);
// Closes the clipboard; FALSE unless the calling thread has it open.
BOOL CloseClipboard();
// The window that last emptied the clipboard; null when that was done without a window or
// the window no longer exists.
HWND GetClipboardOwner();
