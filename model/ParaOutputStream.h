// IParaOutputStream: the visitor through which paragraph attributes are read out.
#pragma once

#include "core/Range.h"
#include "model/ZarniParaInfo.h"

// The paragraph store calls PutParaInfo once per piece, in position order; the pieces tile
// the requested range without gaps. info belongs to the sender and is valid during the call.
class IParaOutputStream {
public:
    // Non-zero when accepted.
    virtual int PutParaInfo(const zarni::CZarniParaInfo& info, const CRange& range) = 0;
    virtual ~IParaOutputStream() = default;
};
