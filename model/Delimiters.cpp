// The delimiter sets, built once on first use.
#include "model/Delimiters.h"

CDelimiters& CDelimiters::Instance() {
    static CDelimiters instance;
    return instance;
}

CDelimiters::CDelimiters() {
    m_lineBreaks.InsertAt(m_lineBreaks.GetSize(), static_cast<uint16_t>(10));
    m_lineBreaks.InsertAt(m_lineBreaks.GetSize(), static_cast<uint16_t>(13));
    m_lineBreaks.InsertAt(m_lineBreaks.GetSize(), static_cast<uint16_t>(13 + 256 * 10));
}
