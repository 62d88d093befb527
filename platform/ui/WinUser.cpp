// Dispatch of the window-system services to the installed backend.
#include "platform/ui/WinUser.h"

#include <atomic>

#include "platform/ui/headless/HeadlessUi.h"

namespace {
// Atomic because timer threads post through the backend while the UI thread may install one.
std::atomic<IUiBackend*> g_backend{nullptr};
}  // namespace

IUiBackend* GetUiBackend() {
    IUiBackend* backend = g_backend.load(std::memory_order_acquire);
    return backend ? backend : &CHeadlessUi::Instance();
}

void SetUiBackend(IUiBackend* backend) {
    g_backend.store(backend, std::memory_order_release);
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

BOOL IsWindow(HWND window) {
    return GetUiBackend()->IsWindow(window);
}

BOOL PostMessageA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return GetUiBackend()->PostMessage(window, msg, wParam, lParam);
}

BOOL DestroyWindow(HWND window) {
    return GetUiBackend()->DestroyWindow(window);
}
