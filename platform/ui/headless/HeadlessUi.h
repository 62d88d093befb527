// CHeadlessUi: the in-memory window system used without a display and in tests.
#pragma once

#include <vector>

#include "platform/ui/WinUser.h"

// Message boxes are recorded, not shown, and answered with a button the test chose
// (IDOK unless told otherwise).
class CHeadlessUi : public IUiBackend {
public:
    struct MessageBoxRecord {
        HWND owner;
        CString text;
        CString caption;
        UINT type;
    };

    static CHeadlessUi& Instance();

    int MessageBox(HWND owner, const CString& text, const CString& caption, UINT type) override;
    HWND GetDesktopWindow() override;
    HDC GetDC(HWND window) override;
    int ReleaseDC(HWND window, HDC dc) override;

    const std::vector<MessageBoxRecord>& GetMessageBoxes() const { return m_boxes; }
    void ClearMessageBoxes() { m_boxes.clear(); }
    void SetMessageBoxAnswer(int answer) { m_answer = answer; }

private:
    std::vector<MessageBoxRecord> m_boxes;
    int m_answer = IDOK;
};
