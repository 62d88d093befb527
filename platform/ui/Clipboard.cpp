// Private clipboard format names, and dispatch of the clipboard to the installed backend.
#include "platform/ui/Clipboard.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/ui/WinUser.h"

namespace {

constexpr UINT kFirstPrivateFormat = 0xC000;
constexpr UINT kLastPrivateFormat = 0xFFFF;
constexpr size_t kMaxFormatName = 255;

// Names to numbers for the whole process. It lives outside the backends so that a format
// registered before a backend is installed keeps its number; backends that need the name
// (to pick a window-system target for it) ask GetClipboardFormatNameA.
class CFormatRegistry {
public:
    // Never destroyed: registrations made during exit still find it.
    static CFormatRegistry& Instance() {
        static CFormatRegistry* instance = new CFormatRegistry;
        return *instance;
    }

    UINT Register(const std::string& name) {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_numbers.find(name);
        if (it != m_numbers.end())
            return it->second;
        if (m_names.size() > kLastPrivateFormat - kFirstPrivateFormat)
            return 0;
        const UINT format = kFirstPrivateFormat + static_cast<UINT>(m_names.size());
        try {
            m_names.push_back(name);
            m_numbers.emplace(name, format);
        } catch (const std::bad_alloc&) {
            m_names.resize(format - kFirstPrivateFormat);
            return 0;
        }
        return format;
    }

    // Copies out the name under the lock: the vector may grow meanwhile.
    bool Name(UINT format, std::string* name) {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (format < kFirstPrivateFormat || format - kFirstPrivateFormat >= m_names.size())
            return false;
        *name = m_names[format - kFirstPrivateFormat];
        return true;
    }

private:
    std::mutex m_mutex;                // guards the members below
    std::vector<std::string> m_names;  // by format number - kFirstPrivateFormat
    std::unordered_map<std::string, UINT> m_numbers;
};

}  // namespace

UINT RegisterClipboardFormatA(LPCSTR name) {
    if (name == nullptr || name[0] == '\0')
        return 0;
    const size_t length = strnlen(name, kMaxFormatName + 1);
    if (length > kMaxFormatName)
        return 0;
    return CFormatRegistry::Instance().Register(std::string(name, length));
}

int GetClipboardFormatNameA(UINT format, LPSTR buffer, int size) {
    std::string name;
    if (buffer == nullptr || size <= 0 || !CFormatRegistry::Instance().Name(format, &name))
        return 0;
    const size_t copied = std::min(name.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, name.data(), copied);
    buffer[copied] = '\0';
    return static_cast<int>(copied);
}

BOOL OpenClipboard(HWND owner) {
    return GetUiBackend()->OpenClipboard(owner);
}

BOOL EmptyClipboard() {
    return GetUiBackend()->EmptyClipboard();
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
    return GetUiBackend()->SetClipboardData(format, data);
}

HANDLE GetClipboardData(UINT format) {
    return GetUiBackend()->GetClipboardData(format);
}

BOOL IsClipboardFormatAvailable(UINT format) {
    return GetUiBackend()->IsClipboardFormatAvailable(format);
}

BOOL CloseClipboard() {
    return GetUiBackend()->CloseClipboard();
}

HWND GetClipboardOwner() {
    return GetUiBackend()->GetClipboardOwner();
}
