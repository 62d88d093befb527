// Window-system services with the Windows names the control uses: message boxes and the
// desktop's device context. A backend provides them (the headless one by default).
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
