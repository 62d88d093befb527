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
    return 1;
}

int CDocTextReader::OutputUnits(const uint16_t* units, uint32_t count, const CRange&) {
    m_units.Append(units, count);
    return 1;
}

CString CDocTextReader::GetPlainText() const {
    CWordString text;
    for (uint32_t i = 0; i < m_units.GetSize(); ++i) {
        if (m_units[i] != CO_UNIT)
            text.InsertAt(text.GetSize(), m_units[i]);
    }
    return text.c_str();
}

void CDocTextReader::Reset() {
    m_units.RemoveAll();
}
