// CCairoFactory: makes the built-in drawing objects by kind.
#include "platform/graphics/cairo/CairoFactory.h"

#include <memory>

#include "platform/graphics/cairo/CairoCanvas.h"
#include "platform/graphics/cairo/PangoFont.h"
#include "platform/graphics/cairo/PixbufImage.h"
#include "platform/graphics/cairo/SolidBrush.h"

IXObject* CCairoFactory::Create(int kind) {
    switch (kind) {
        case XKIND_IMAGE:
            return std::make_unique<CPixbufImage>().release();
        case XKIND_FONT:
            return std::make_unique<CPangoFont>().release();
        case XKIND_BRUSH:
            return std::make_unique<CSolidBrush>().release();
        case XKIND_CANVAS:
            return std::make_unique<CCairoCanvas>().release();
        default:
            return nullptr;
    }
}
