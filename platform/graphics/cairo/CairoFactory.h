// CCairoFactory: the built-in factory of Cairo canvases, Pango fonts, brushes and
// gdk-pixbuf pictures.
#pragma once

#include "platform/graphics/Morla.h"

class CCairoFactory final : public IXFactory {
public:
    // XKIND_IMAGE: CPixbufImage, XKIND_FONT: CPangoFont, XKIND_BRUSH: CSolidBrush,
    // XKIND_CANVAS: CCairoCanvas; null for any other kind.
    IXObject* Create(int kind) override;
};
