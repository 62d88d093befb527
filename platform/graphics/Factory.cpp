// The factory in use: the built-in Cairo one, or one a test installed.
#include "platform/graphics/Morla.h"
#include "platform/graphics/cairo/CairoCanvas.h"
#include "platform/graphics/cairo/CairoFactory.h"

namespace {
CCairoFactory g_builtin;
IXFactory* g_installed = nullptr;
}  // namespace

IXFactory* IMorla_Creater() {
    return g_installed ? g_installed : &g_builtin;
}

void SetMorlaFactory(IXFactory* factory) {
    g_installed = factory;
}

BOOL XWriteCanvasPng(IXCanvas* canvas, const char* path) {
    auto* cairoCanvas = dynamic_cast<CCairoCanvas*>(canvas);
    return cairoCanvas ? cairoCanvas->WritePng(path) : FALSE;
}
