// CDocTextReader: reads a range of a document back as units and as plain text.
#pragma once

#include "core/Range.h"
#include "model/DocOutputStream.h"
#include "model/WordString.h"
#include "platform/base/String.h"

class IDoc;

// Fed by IDoc::Output: collects every unit of the range (an object as its object unit) and
// the plain text (objects left out).
class CDocTextReader : public IDocOutputStream {
public:
    // Reads range of doc (nothing for a null doc).
    CDocTextReader(IDoc* doc, const CRange& range);

    const CWordString& GetUnits() const { return m_units; }
    // The units' text with the objects left out.
    CString GetPlainText() const;

    int OutputObject(ICompressStoreObj* obj, const CRange& range) override;
    int OutputText(const CString& text, const CRange& range) override;
    int OutputUnits(const uint16_t* units, uint32_t count, const CRange& range) override;
    void Reset() override;

private:
    CWordString m_units;
};
