// The delimiter sets, built once on first use.
#include "model/Delimiters.h"

CDelimiters& CDelimiters::Instance() {
    static CDelimiters instance;
    return instance;
}

CDelimiters::CDelimiters() {
    // A line feed, a paragraph end, and the pair read as one double-byte unit.
    m_lineBreaks.InsertAt(m_lineBreaks.GetSize(), LINE_FEED_UNIT);
    m_lineBreaks.InsertAt(m_lineBreaks.GetSize(), PARA_END_UNIT);
    m_lineBreaks.InsertAt(m_lineBreaks.GetSize(), kPackedBreak);
}
