// CPangoFont: selecting a LOGFONTA picks its shared face.
#include "platform/graphics/cairo/PangoFont.h"

#include "platform/base/Check.h"

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
    ZARNI_CHECK(m_face != nullptr, "CPangoFont: no face");
    m_face->AssertValid();
}
