// CEOS_Text: collects text with every object replaced by its replace text.
#include "engine/EOS_Text.h"

#include "objects/ExternalObj.h"

int CEOS_Text::OutputObject(ICompressStoreObj* obj, const CRange&) {
    if (obj == nullptr)
        return 0;
    if (ITextReplaceable* replaceable = TextReplaceableOf(obj))
        m_text += replaceable->GetReplaceText();
    return 1;
}

int CEOS_Text::OutputText(const CString& text, const CRange&) {
    if (text.IsEmpty())
        return 0;
    m_text += text;
    return 1;
}
