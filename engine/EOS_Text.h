// CEOS_Text: a document output stream that collects text, objects as their replace text.
#pragma once

#include "model/DocOutputStream.h"

class CEOS_Text : public IDocOutputStream {
public:
    // 0 for a null object. Otherwise appends the object's replace text and answers 1; an
    // object that has no replace text contributes nothing but is still accepted.
    int OutputObject(ICompressStoreObj* obj, const CRange& range) override;
    // 0 for an empty run (nothing changes), else appends it and answers 1.
    int OutputText(const CString& text, const CRange& range) override;
    void Reset() override { m_text.Empty(); }

    CString GetText() const { return m_text; }

private:
    CString m_text;
};
