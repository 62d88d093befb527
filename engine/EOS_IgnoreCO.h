// CEOS_IgnoreCO: a document output stream that collects text and skips objects.
#pragma once

#include "model/DocOutputStream.h"

class CEOS_IgnoreCO : public IDocOutputStream {
public:
    // Every object, null included, is accepted and left out.
    int OutputObject(ICompressStoreObj*, const CRange&) override { return 1; }
    // 0 for an empty run (nothing changes), else appends it and answers 1.
    int OutputText(const CString& text, const CRange& range) override;
    void Reset() override { m_text.Empty(); }

    CString GetText() const { return m_text; }

private:
    CString m_text;
};
