// Window-system services with the Windows names the control uses: message boxes, the
// desktop's device context, window lifetime, posted messages and the clipboard (whose
// functions are in Clipboard.h). A backend provides them (the headless one by default).
#pragma once

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"
#include "platform/graphics/Morla.h"

class IUiBackend {
public:
    // Shows a message box (text and caption in the active code page) and answers the
    // button chosen (IDOK, IDYES, ...).
    virtual int MessageBox(HWND owner, const CString& text, const CString& caption, UINT type) = 0;
    virtual HWND GetDesktopWindow() = 0;
    // A device context of the window, or null when it has none.
    virtual HDC GetDC(HWND window) = 0;
    virtual int ReleaseDC(HWND window, HDC dc) = 0;
    // Whether the handle names a window that exists (the desktop does). Any thread.
    virtual BOOL IsWindow(HWND window) = 0;
    // Queues a message for the window's handler, which runs on the thread that pumps the
    // queue. Any thread. FALSE, and nothing queued, for a null or destroyed window.
    virtual BOOL PostMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    // Sends WM_DESTROY to the window, then removes it with the messages still queued for it.
    // FALSE for a window that does not exist or is already being destroyed.
    virtual BOOL DestroyWindow(HWND window) = 0;

    // The clipboard (Clipboard.h has the rules). Any thread; a backend keeps one clipboard,
    // shared with the rest of the window system where there is one, and frees the global
    // blocks it owns with GlobalFree. "The caller" is the thread that opened the clipboard.
    virtual BOOL OpenClipboard(HWND owner) = 0;
    virtual BOOL EmptyClipboard() = 0;
    virtual HANDLE SetClipboardData(UINT format, HANDLE data) = 0;
    virtual HANDLE GetClipboardData(UINT format) = 0;
    virtual BOOL IsClipboardFormatAvailable(UINT format) = 0;
    virtual BOOL CloseClipboard() = 0;
    virtual HWND GetClipboardOwner() = 0;

protected:
    ~IUiBackend() = default;
};

// The backend in use; the headless one unless another was installed.
IUiBackend* GetUiBackend();
// Installs a backend; null restores the headless one. The caller keeps ownership.
void SetUiBackend(IUiBackend* backend);

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
HWND GetDesktopWindow();
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
BOOL IsWindow(HWND window);
BOOL PostMessageA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
inline BOOL PostMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return PostMessageA(window, msg, wParam, lParam);
}
BOOL DestroyWindow(HWND window);
