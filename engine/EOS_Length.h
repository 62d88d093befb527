// CEOS_Length: a document output stream that counts units, objects by their replace text.
#pragma once

#include <cstdint>

#include "model/DocOutputStream.h"

class CEOS_Length : public IDocOutputStream {
public:
    // 0 for a null object. Otherwise adds the units of the object's replace text (none for
    // an object without one) and answers 1.
    int OutputObject(ICompressStoreObj* obj, const CRange& range) override;
    // Adds the units of the run; always 1.
    int OutputText(const CString& text, const CRange& range) override;
    void Reset() override { m_count = 0; }

    int32_t GetLength() const { return m_count; }

private:
    int32_t m_count = 0;  // 0 .. INT32_MAX, held at the top rather than wrapping
};
