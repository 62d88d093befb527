// CPangoFont: the font object; a LOGFONTA and the shared face that measures and draws it.
#pragma once

#include <memory>

#include "platform/graphics/Morla.h"
#include "platform/graphics/cairo/FontFace.h"

class CPangoFont final : public IXFont {
public:
    // A new font is the default face at 12 pixels.
    CPangoFont();
    ~CPangoFont();

    void Release() override;
    // lfHeight < 0: character (em) height in pixels; > 0: cell height (ascent + descent);
    // 0: 12-pixel characters; heights are limited to CFontFace::kMaxPixels. Weight 0 means
    // normal; italic, underline and strike-out are honoured; width, escapement,
    // orientation, charset, precision, quality and pitch are ignored. The face name is
    // text of the active code page; an empty name gives the default sans font. A null lf
    // is ignored.
    void SetLogFont(int reserved, const LOGFONTA* lf) override;

    const LOGFONTA& GetLogFont() const { return m_logFont; }
    int GetPixelSize() const { return m_face->GetPixelSize(); }
    // The face that measures and draws text in this font (see CFontFace).
    CFontFace& Face() { return *m_face; }

    void AssertValid() const;

private:
    LOGFONTA m_logFont{};
    std::shared_ptr<CFontFace> m_face;  // never null
};
