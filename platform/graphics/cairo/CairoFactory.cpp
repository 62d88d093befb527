// CCairoFactory: makes the built-in drawing objects by kind.
#include "platform/graphics/cairo/CairoFactory.h"

#include "platform/graphics/cairo/CairoCanvas.h"
#include "platform/graphics/cairo/PangoFont.h"
#include "platform/graphics/cairo/PixbufImage.h"
#include "platform/graphics/cairo/SolidBrush.h"

IXObject* CCairoFactory::Create(int kind) {
    switch (kind) {
        case XKIND_IMAGE:
            return new CPixbufImage;
        case XKIND_FONT:
            return new CPangoFont;
        case XKIND_BRUSH:
            return new CSolidBrush;
        case XKIND_CANVAS:
            return new CCairoCanvas;
        default:
            return nullptr;
    }
}
