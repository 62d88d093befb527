// HitInfo: the view's answer to "what lies under this point".
#pragma once

class ICompressStoreObj;

struct HitInfo {
    int line = 0;
    // Index within the line, -1 for none.
    int unit = -1;
    // -1 outside the laid-out lines, 0 left of a line start or below the last line, 1 a text
    // unit or a gap between units, 2 an embedded object.
    int type = -1;
    // The object of a type-2 hit, else null.
    ICompressStoreObj* object = nullptr;
};
