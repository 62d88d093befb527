// IDocOutputStream: the visitor through which document content is read out.
#pragma once

#include "core/Range.h"
#include "platform/base/String.h"

class ICompressStoreObj;

// The document calls OutputText once per run of text between objects and OutputObject once
// per object, in document order. The stream does not own the objects it is shown.
class IDocOutputStream {
public:
    // obj occupies the one-unit range. Non-zero when accepted.
    virtual int OutputObject(ICompressStoreObj* obj, const CRange& range) = 0;
    // A run of multibyte text covering range. Non-zero when accepted.
    virtual int OutputText(const CString& text, const CRange& range) = 0;
    virtual void Reset() = 0;
    virtual ~IDocOutputStream() = default;
};
