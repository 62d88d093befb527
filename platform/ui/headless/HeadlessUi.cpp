// The headless window system.
#include "platform/ui/headless/HeadlessUi.h"

#include "platform/graphics/DeviceContext.h"

namespace {
// The desktop has an identity but no pixels. Its handle is never dereferenced here.
char g_desktopIdentity;
HDC__ g_desktopDC;
HWND Desktop() {
    return reinterpret_cast<HWND>(&g_desktopIdentity);
}
}  // namespace

CHeadlessUi& CHeadlessUi::Instance() {
    static CHeadlessUi instance;
    return instance;
}

int CHeadlessUi::MessageBox(HWND owner, const CString& text, const CString& caption, UINT type) {
    m_boxes.push_back(MessageBoxRecord{owner, text, caption, type});
    return m_answer;
}

HWND CHeadlessUi::GetDesktopWindow() {
    return Desktop();
}

HDC CHeadlessUi::GetDC(HWND window) {
    return window == Desktop() ? &g_desktopDC : nullptr;
}

int CHeadlessUi::ReleaseDC(HWND window, HDC dc) {
    return (window && dc) ? 1 : 0;
}
