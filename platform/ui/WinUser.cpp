// Dispatch of the window-system services to the installed backend.
#include "platform/ui/WinUser.h"

#include "platform/ui/headless/HeadlessUi.h"

namespace {
IUiBackend* g_backend = nullptr;
}

IUiBackend* GetUiBackend() {
    return g_backend ? g_backend : &CHeadlessUi::Instance();
}

void SetUiBackend(IUiBackend* backend) {
    g_backend = backend;
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    return GetUiBackend()->MessageBox(owner, CString(text), CString(caption), type);
}

HWND GetDesktopWindow() {
    return GetUiBackend()->GetDesktopWindow();
}

HDC GetDC(HWND window) {
    return GetUiBackend()->GetDC(window);
}

int ReleaseDC(HWND window, HDC dc) {
    return GetUiBackend()->ReleaseDC(window, dc);
}
