// IDocOutputStream: the visitor through which document content is read out.
#pragma once

#include <cstdint>

#include "core/Range.h"
#include "model/WordString.h"
#include "platform/base/String.h"

class ICompressStoreObj;

// The document calls OutputUnits (by default OutputText) once per run of text between objects and
// OutputObject once per object, in document order. The stream does not own the objects it is shown.
class IDocOutputStream {
public:
    // obj occupies the one-unit range. Non-zero when accepted.
    virtual int OutputObject(ICompressStoreObj* obj, const CRange& range) = 0;
    // A run of multibyte text covering range. Non-zero when accepted.
    virtual int OutputText(const CString& text, const CRange& range) = 0;
    // The same run as the document's units, which the document calls instead of OutputText:
    // readers that work on units skip the conversion to text and back.
    virtual int OutputUnits(const uint16_t* units, uint32_t count, const CRange& range) {
        return OutputText(CWordString::ToText(units, count), range);
    }
    virtual void Reset() = 0;
    virtual ~IDocOutputStream() = default;
};
