// The headless window system.
#include "platform/ui/headless/HeadlessUi.h"

#include <algorithm>
#include <iterator>

#include "platform/base/Check.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/ui/GlobalMemory.h"

namespace {
// The desktop has an identity but no pixels. Its handle is never dereferenced here.
char g_desktopIdentity;
HDC__ g_desktopDC;
HWND Desktop() {
    return reinterpret_cast<HWND>(&g_desktopIdentity);
}

// Window handles are numbers that are never dereferenced. They start well above the small
// integers a caller might pass by mistake.
constexpr uintptr_t kFirstHandle = 0x10000;
constexpr uintptr_t kHandleStep = 0x10;
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

BOOL CHeadlessUi::IsWindow(HWND window) {
    if (window == Desktop())
        return TRUE;
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_windows.count(window) != 0 ? TRUE : FALSE;
}

BOOL CHeadlessUi::PostMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_windows.count(window) == 0)
            return FALSE;
        m_queue.push_back(PostedMessage{window, msg, wParam, lParam});
    }
    m_posted.notify_all();
    ZARNI_ASSERT_VALID(*this);
    return TRUE;
}

BOOL CHeadlessUi::DestroyWindow(HWND window) {
    WNDPROC proc = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_windows.find(window);
        if (it == m_windows.end() || it->second.destroying)
            return FALSE;
        it->second.destroying = true;
        proc = it->second.proc;
    }
    // Outside the lock: the handler may post, or ask whether windows exist.
    proc(window, WM_DESTROY, 0, 0);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_windows.erase(window);
        m_queue.erase(
            std::remove_if(m_queue.begin(), m_queue.end(),
                           [window](const PostedMessage& m) { return m.window == window; }),
            m_queue.end());
    }
    ZARNI_ASSERT_VALID(*this);
    return TRUE;
}

HWND CHeadlessUi::CreateWindow(WNDPROC proc) {
    if (!proc)
        return nullptr;
    HWND window = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_lastHandle = m_lastHandle == 0 ? kFirstHandle : m_lastHandle + kHandleStep;
        window = reinterpret_cast<HWND>(m_lastHandle);
        ZARNI_CHECK(window != Desktop(), "window handles ran into the desktop's");
        m_windows.emplace(window, Window{proc, false});
    }
    ZARNI_ASSERT_VALID(*this);
    return window;
}

bool CHeadlessUi::PumpOne() {
    PostedMessage message{};
    WNDPROC proc = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_queue.empty())
            return false;
        message = m_queue.front();
        m_queue.pop_front();
        auto it = m_windows.find(message.window);
        ZARNI_CHECK(it != m_windows.end(), "message %#x queued for a dead window", message.msg);
        proc = it->second.proc;
    }
    ZARNI_ASSERT_VALID(*this);
    proc(message.window, message.msg, message.wParam, message.lParam);
    return true;
}

int CHeadlessUi::PumpMessages() {
    size_t queued = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        queued = m_queue.size();
    }
    int dispatched = 0;
    for (size_t i = 0; i < queued && PumpOne(); ++i)
        ++dispatched;
    return dispatched;
}

bool CHeadlessUi::WaitForMessage(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_posted.wait_for(lock, timeout, [this] { return !m_queue.empty(); });
}

BOOL CHeadlessUi::OpenClipboard(HWND owner) {
    // Outside the clipboard lock: IsWindow takes the window lock.
    if (owner != nullptr && !IsWindow(owner))
        return FALSE;
    std::lock_guard<std::mutex> lock(m_clipMutex);
    if (m_clipOpen)
        return FALSE;
    m_clipOpen = true;
    m_clipOpener = std::this_thread::get_id();
    m_clipOpenOwner = owner;
    return TRUE;
}

BOOL CHeadlessUi::EmptyClipboard() {
    std::lock_guard<std::mutex> lock(m_clipMutex);
    if (!OpenedByCallerLocked())
        return FALSE;
    for (const auto& entry : m_clipData)
        GlobalFree(entry.second);
    m_clipData.clear();
    m_clipOwner = m_clipOpenOwner;
    return TRUE;
}

HANDLE CHeadlessUi::SetClipboardData(UINT format, HANDLE data) {
    if (format == 0 || GlobalFlags(data) == GMEM_INVALID_HANDLE)
        return nullptr;
    {
        std::lock_guard<std::mutex> lock(m_clipMutex);
        if (!OpenedByCallerLocked())
            return nullptr;
        for (const auto& entry : m_clipData) {
            if (entry.second == data && entry.first != format)
                return nullptr;  // filing it twice would free it twice
        }
        HGLOBAL& slot = m_clipData[format];
        if (slot != nullptr && slot != data)
            GlobalFree(slot);
        slot = data;
    }
    ZARNI_ASSERT_VALID(*this);
    return data;
}

HANDLE CHeadlessUi::GetClipboardData(UINT format) {
    std::lock_guard<std::mutex> lock(m_clipMutex);
    if (!OpenedByCallerLocked())
        return nullptr;
    auto it = m_clipData.find(format);
    return it == m_clipData.end() ? nullptr : it->second;
}

BOOL CHeadlessUi::IsClipboardFormatAvailable(UINT format) {
    std::lock_guard<std::mutex> lock(m_clipMutex);
    return m_clipData.count(format) != 0 ? TRUE : FALSE;
}

BOOL CHeadlessUi::CloseClipboard() {
    std::lock_guard<std::mutex> lock(m_clipMutex);
    if (!OpenedByCallerLocked())
        return FALSE;
    m_clipOpen = false;
    m_clipOpenOwner = nullptr;
    return TRUE;
}

HWND CHeadlessUi::GetClipboardOwner() {
    HWND owner = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_clipMutex);
        owner = m_clipOwner;
    }
    return owner != nullptr && IsWindow(owner) ? owner : nullptr;
}

void CHeadlessUi::ResetClipboard() {
    std::lock_guard<std::mutex> lock(m_clipMutex);
    for (const auto& entry : m_clipData)
        GlobalFree(entry.second);
    m_clipData.clear();
    m_clipOpen = false;
    m_clipOpenOwner = nullptr;
    m_clipOwner = nullptr;
}

size_t CHeadlessUi::ClipboardFormatCount() const {
    std::lock_guard<std::mutex> lock(m_clipMutex);
    return m_clipData.size();
}

bool CHeadlessUi::OpenedByCallerLocked() const {
    return m_clipOpen && m_clipOpener == std::this_thread::get_id();
}

void CHeadlessUi::AssertValid() const {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const auto& entry : m_windows) {
            const uintptr_t handle = reinterpret_cast<uintptr_t>(entry.first);
            ZARNI_CHECK(handle >= kFirstHandle && handle <= m_lastHandle,
                        "window %#zx never created", static_cast<size_t>(handle));
            ZARNI_CHECK(entry.second.proc != nullptr, "window %#zx has no handler",
                        static_cast<size_t>(handle));
        }
        for (const PostedMessage& message : m_queue)
            ZARNI_CHECK(m_windows.count(message.window) != 0,
                        "message %#x queued for a dead window", message.msg);
    }
    std::lock_guard<std::mutex> lock(m_clipMutex);
    for (auto it = m_clipData.begin(); it != m_clipData.end(); ++it) {
        ZARNI_CHECK(it->first != 0 && it->second != nullptr, "format %u holds no block", it->first);
        for (auto other = std::next(it); other != m_clipData.end(); ++other)
            ZARNI_CHECK(other->second != it->second, "formats %u and %u hold one block", it->first,
                        other->first);
    }
}
