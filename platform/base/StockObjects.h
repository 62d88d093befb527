// Stock drawing objects and reading their descriptions, as the graphics services offer them.
#pragma once

#include "platform/base/WinTypes.h"

ZARNI_DECLARE_HANDLE(HGDIOBJ);

// The stock object with the given index (DEFAULT_GUI_FONT, ...), or null for an index
// this layer does not provide.
HGDIOBJ GetStockObject(int index);

// Copies the object's description into out: a LOGFONTA for fonts. Returns the number of
// bytes written, 0 for a null or unknown object, a null out, or a size too small.
int GetObjectA(HGDIOBJ object, int size, void* out);
inline int GetObject(HGDIOBJ object, int size, void* out) {
    return GetObjectA(object, size, out);
}
