// Global memory blocks: a registry from handle numbers to byte buffers and their lock counts.
#include "platform/ui/GlobalMemory.h"

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <new>
#include <unordered_map>
#include <vector>

namespace {

// Handles are numbers, never dereferenced and never reused, so a stale handle cannot reach a
// later block. They start well above the small integers a caller might pass by mistake.
constexpr uintptr_t kFirstHandle = 0x40000;
constexpr uintptr_t kHandleStep = 0x10;

struct CBlock {
    std::vector<uint8_t> bytes;
    UINT locks = 0;
};

class CBlockRegistry {
public:
    // Never destroyed: blocks freed by other objects' destructors at exit still find it.
    static CBlockRegistry& Instance() {
        static CBlockRegistry* instance = new CBlockRegistry;
        return *instance;
    }

    HGLOBAL Alloc(SIZE_T size) {
        if (size > kGlobalAllocMaxBytes)
            return nullptr;
        CBlock block;
        try {
            block.bytes.assign(size, 0);
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        m_lastHandle = m_lastHandle == 0 ? kFirstHandle : m_lastHandle + kHandleStep;
        try {
            m_blocks.emplace(m_lastHandle, std::move(block));
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
        return reinterpret_cast<HGLOBAL>(m_lastHandle);
    }

    LPVOID Lock(HGLOBAL handle) {
        std::lock_guard<std::mutex> lock(m_mutex);
        CBlock* block = FindLocked(handle);
        if (block == nullptr || block->bytes.empty())
            return nullptr;
        ++block->locks;
        return block->bytes.data();
    }

    BOOL Unlock(HGLOBAL handle) {
        std::lock_guard<std::mutex> lock(m_mutex);
        CBlock* block = FindLocked(handle);
        if (block == nullptr || block->locks == 0)
            return FALSE;
        --block->locks;
        return block->locks > 0 ? TRUE : FALSE;
    }

    SIZE_T Size(HGLOBAL handle) {
        std::lock_guard<std::mutex> lock(m_mutex);
        const CBlock* block = FindLocked(handle);
        return block ? block->bytes.size() : 0;
    }

    UINT Flags(HGLOBAL handle) {
        std::lock_guard<std::mutex> lock(m_mutex);
        const CBlock* block = FindLocked(handle);
        return block ? std::min(block->locks, GMEM_LOCKCOUNT) : GMEM_INVALID_HANDLE;
    }

    HGLOBAL Free(HGLOBAL handle) {
        if (handle == nullptr)
            return nullptr;
        std::vector<uint8_t> bytes;  // released after the lock
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            auto it = m_blocks.find(reinterpret_cast<uintptr_t>(handle));
            if (it == m_blocks.end())
                return handle;
            bytes.swap(it->second.bytes);
            m_blocks.erase(it);
        }
        return nullptr;
    }

    size_t Count() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_blocks.size();
    }

private:
    CBlock* FindLocked(HGLOBAL handle) {
        auto it = m_blocks.find(reinterpret_cast<uintptr_t>(handle));
        return it == m_blocks.end() ? nullptr : &it->second;
    }

    std::mutex m_mutex;  // guards the members below
    // Live blocks by handle. A buffer keeps its address while the map rehashes, so a locked
    // pointer stays good until its block is freed.
    std::unordered_map<uintptr_t, CBlock> m_blocks;
    uintptr_t m_lastHandle = 0;  // the latest block's handle; 0 before the first
};

}  // namespace

HGLOBAL GlobalAlloc(UINT /*flags*/, SIZE_T bytes) {
    return CBlockRegistry::Instance().Alloc(bytes);
}

LPVOID GlobalLock(HGLOBAL block) {
    return CBlockRegistry::Instance().Lock(block);
}

BOOL GlobalUnlock(HGLOBAL block) {
    return CBlockRegistry::Instance().Unlock(block);
}

SIZE_T GlobalSize(HGLOBAL block) {
    return CBlockRegistry::Instance().Size(block);
}

UINT GlobalFlags(HGLOBAL block) {
    return CBlockRegistry::Instance().Flags(block);
}

HGLOBAL GlobalFree(HGLOBAL block) {
    return CBlockRegistry::Instance().Free(block);
}

size_t GlobalBlockCount() {
    return CBlockRegistry::Instance().Count();
}
