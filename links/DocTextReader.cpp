// CDocTextReader: units and plain text of a document range.
#include "links/DocTextReader.h"

#include "model/Doc.h"

CDocTextReader::CDocTextReader(IDoc* doc, const CRange& range) {
    if (doc != nullptr)
        doc->Output(this, range);
}

int CDocTextReader::OutputObject(ICompressStoreObj*, const CRange&) {
    m_units.InsertAt(m_units.GetSize(), CO_UNIT);
    return 1;
}

int CDocTextReader::OutputText(const CString& text, const CRange&) {
    m_units.InsertAt(m_units.GetSize(), CWordString(text));
    m_text += text;
    return 1;
}

void CDocTextReader::Reset() {
    m_units.RemoveAll();
    m_text.Empty();
}
