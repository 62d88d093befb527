// CEOS_Length: counts the units a document range reads out as.
#include "engine/EOS_Length.h"

#include "engine/UnitCount.h"
#include "objects/ExternalObj.h"

int CEOS_Length::OutputObject(ICompressStoreObj* obj, const CRange&) {
    if (obj == nullptr)
        return 0;
    if (ITextReplaceable* replaceable = TextReplaceableOf(obj))
        m_count = AddUnitsSaturated(m_count, CountUnits(replaceable->GetReplaceText()));
    return 1;
}

int CEOS_Length::OutputText(const CString& text, const CRange&) {
    m_count = AddUnitsSaturated(m_count, CountUnits(text));
    return 1;
}
