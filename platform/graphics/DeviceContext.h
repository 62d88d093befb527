// The device context behind an HDC, shared by the drawing library and the window backends.
#pragma once

#include "platform/graphics/Morla.h"

// A drawing target of the window system. cairo is the cairo_t* to draw on (a window's
// paint context), or null for a context without pixels (the headless desktop); surfaces
// created "compatible" with any context are image surfaces, so only copying to a context
// looks at its target. The context does not own the cairo_t.
struct HDC__ {
    void* cairo = nullptr;
};
