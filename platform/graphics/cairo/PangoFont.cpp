// CPangoFont: selecting a LOGFONTA picks its shared face.
#include "platform/graphics/cairo/PangoFont.h"

#include <cstdio>
#include <cstdlib>

CPangoFont::CPangoFont() {
    m_logFont.lfWeight = FW_NORMAL;
    m_face = CFontFace::Get(m_logFont);
}

CPangoFont::~CPangoFont() = default;

void CPangoFont::Release() {
    delete this;
}

void CPangoFont::SetLogFont(int /*reserved*/, const LOGFONTA* lf) {
    if (!lf)
        return;
    m_logFont = *lf;
    m_face = CFontFace::Get(m_logFont);
}

void CPangoFont::AssertValid() const {
    if (!m_face) {
        std::fprintf(stderr, "CPangoFont broken: no face\n");
        std::abort();
    }
    m_face->AssertValid();
}
