// CHeadlessUi: the in-memory window system used without a display and in tests.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

#include "platform/ui/WinUser.h"

// Message boxes are recorded, not shown, and answered with a button the test chose
// (IDOK unless told otherwise).
//
// Windows are handles with a message handler. Messages may be posted from any thread; they
// wait in one queue, oldest first, until the UI thread pumps them to their handlers. Windows
// are created, destroyed and pumped on the UI thread.
//
// One clipboard serves every window and thread of the process; it lives as long as the
// process, and tests clear it with ResetClipboard.
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
    BOOL IsWindow(HWND window) override;
    // The desktop has no handler here, so posting to it fails too.
    BOOL PostMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL DestroyWindow(HWND window) override;
    BOOL OpenClipboard(HWND owner) override;
    BOOL EmptyClipboard() override;
    HANDLE SetClipboardData(UINT format, HANDLE data) override;
    HANDLE GetClipboardData(UINT format) override;
    BOOL IsClipboardFormatAvailable(UINT format) override;
    BOOL CloseClipboard() override;
    HWND GetClipboardOwner() override;

    const std::vector<MessageBoxRecord>& GetMessageBoxes() const { return m_boxes; }
    void ClearMessageBoxes() { m_boxes.clear(); }
    void SetMessageBoxAnswer(int answer) { m_answer = answer; }

    // A new window whose messages go to proc; null when proc is null. Handles are never
    // reused, so a stale handle never reaches a later window.
    HWND CreateWindow(WNDPROC proc);
    // Hands the oldest queued message to its window's handler on the calling thread; false
    // when nothing is queued.
    bool PumpOne();
    // Dispatches the messages queued at the call, not those posted meanwhile (a handler that
    // posts to its own window cannot keep it going); answers how many were dispatched.
    int PumpMessages();
    // Blocks until a message is queued or the timeout passes; answers whether one is queued.
    bool WaitForMessage(std::chrono::milliseconds timeout);

    // For tests: closes the clipboard whoever has it open, frees its blocks and forgets its
    // owner and busy state. Registered format names stay.
    void ResetClipboard();
    // For tests: how many formats the clipboard holds.
    size_t ClipboardFormatCount() const;
    void AssertValid() const;

private:
    struct Window {
        WNDPROC proc;
        bool destroying;  // inside its WM_DESTROY: still a window, but not destroyed twice
    };
    struct PostedMessage {
        HWND window;
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    };

    std::vector<MessageBoxRecord> m_boxes;
    int m_answer = IDOK;

    // Guards the windows and the queue, which other threads reach through IsWindow and
    // PostMessage.
    mutable std::mutex m_mutex;
    std::condition_variable m_posted;  // notified on every queued message
    std::unordered_map<HWND, Window> m_windows;
    // Oldest first; every message's window is in m_windows (destroying a window drops its
    // messages).
    std::deque<PostedMessage> m_queue;
    uintptr_t m_lastHandle = 0;  // the latest window's handle; 0 before the first

    // Whether the calling thread has the clipboard open; under m_clipMutex.
    bool OpenedByCallerLocked() const;

    mutable std::mutex m_clipMutex;      // guards the clipboard members below
    std::map<UINT, HGLOBAL> m_clipData;  // distinct live blocks by format, owned here
    bool m_clipOpen = false;
    std::thread::id m_clipOpener;    // the thread that has it open, when open
    HWND m_clipOpenOwner = nullptr;  // the window it was opened for, when open
    HWND m_clipOwner = nullptr;      // the window that last emptied it
};
