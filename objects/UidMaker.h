// CUidMaker: makes process-unique object ids from a prefix and a per-prefix counter.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "objects/ZarniUUID.h"

// One per process, created on first use and destroyed at unload. The ids repeat from one
// process run to the next, since they are digests of "<prefix><counter>".
class CUidMaker {
public:
    static CUidMaker& Instance();

    // The digest of the prefix followed by its counter in decimal: "0" the first time a
    // prefix is seen, then "1", "2", ... Prefixes are compared byte by byte. A null prefix
    // gives the null id and changes nothing.
    ZarniUUID MakeUid(const char* prefix);

    CUidMaker(const CUidMaker&) = delete;
    CUidMaker& operator=(const CUidMaker&) = delete;

private:
    CUidMaker() = default;

    // Last counter handed out per prefix; it wraps after 2^32 ids and is printed signed.
    std::map<std::string, uint32_t> m_counters;
};
