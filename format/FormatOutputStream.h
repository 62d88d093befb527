// IFormatOutputStream and IMixtureOutputStream: the receivers of a format store's output.
#pragma once

#include "core/Range.h"

class CFontInfo;
class CColorInfo;

// Takes font and colour sections one by one. The records belong to the sender and are
// valid only during the call; a receiver that keeps one keeps a clone.
class IFormatOutputStream {
public:
    virtual int PutFont(CFontInfo* font, const CRange& range) = 0;
    virtual int PutColor(CColorInfo* color, const CRange& range) = 0;
    virtual ~IFormatOutputStream() = default;
};

// One run of constant font and colour. The records belong to the sender.
struct CMixtureInfo {
    CFontInfo* font = nullptr;
    CColorInfo* color = nullptr;
    CRange range;
};

// Takes runs of constant font and colour in position order.
class IMixtureOutputStream {
public:
    virtual int PutMixture(const CMixtureInfo& info) = 0;
    virtual ~IMixtureOutputStream() = default;
};
