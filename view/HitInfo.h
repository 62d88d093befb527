// HitInfo: the view's answer to "what lies under this point".
#pragma once

class ICompressStoreObj;

// What a hit test found; the values are those hosts receive.
enum HitKind : int {
    HIT_OUTSIDE = -1,  // outside the laid-out lines (or a line without unit cells)
    HIT_BESIDE = 0,    // left of a line's start, or below the last line
    HIT_UNIT = 1,      // a text unit, or the gap before one
    HIT_OBJECT = 2,    // an embedded object
};

struct HitInfo {
    int line = 0;
    // Index within the line, -1 for none.
    int unit = -1;
    HitKind type = HIT_OUTSIDE;
    // The object of an HIT_OBJECT hit, else null.
    ICompressStoreObj* object = nullptr;
};
