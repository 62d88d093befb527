// CBuiltinCreator: the creator of the library's own object classes (pictures, animations).
#pragma once

#include "objects/PrototypeCreator.h"

// The process-wide instance is built from the library's own list; other instances (for
// tests) from any list.
class CBuiltinCreator : public CPrototypeCreator {
public:
    static CBuiltinCreator& Instance();
    explicit CBuiltinCreator(const SPrototypeEntry* list)
        : CPrototypeCreator(list, "CBuiltinCreator") {}
    // A clone of the prototype, except that an animation is made anew: a clone would carry
    // the prototype's id, and every animation has an id of its own.
    ICompressStoreObj* CreateObj(const ZarniUUID& clsid) override;
};
