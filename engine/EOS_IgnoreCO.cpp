// CEOS_IgnoreCO: collects the text runs of a document range, leaving objects out.
#include "engine/EOS_IgnoreCO.h"

int CEOS_IgnoreCO::OutputText(const CString& text, const CRange&) {
    if (text.IsEmpty())
        return 0;
    m_text += text;
    return 1;
}
