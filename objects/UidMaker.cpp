// CUidMaker: makes process-unique object ids from a prefix and a per-prefix counter.
#include "objects/UidMaker.h"

#include <cstdio>

CUidMaker& CUidMaker::Instance() {
    static CUidMaker instance;
    return instance;
}

ZarniUUID CUidMaker::MakeUid(const char* prefix) {
    if (prefix == nullptr)
        return ZarniUUID();
    auto inserted = m_counters.emplace(prefix, 0u);
    if (!inserted.second)
        ++inserted.first->second;
    const int32_t counter = static_cast<int32_t>(inserted.first->second);
    char digits[16];
    const int length = snprintf(digits, sizeof(digits), "%d", static_cast<int>(counter));
    std::string text = inserted.first->first;
    text.append(digits, static_cast<size_t>(length));
    return UuidFromBytes(text.data(), text.size());
}
