// IObjectPaintHost: where an object made by the host asks for repaints of itself.
#pragma once

#include "platform/base/Geometry.h"

class ICompressStoreObj;
struct ZarniUUID;

// The view offers it to external objects while they are in the document: an object in its
// set may ask for its own rectangle to be repainted, or reserve a region of the window for
// painting of its own.
class IObjectPaintHost {
public:
    virtual void ReservePaintRgn(const ZarniUUID& id, const CRect& rect) = 0;
    virtual void AddRepaintObject(ICompressStoreObj* obj) = 0;
    virtual void RemoveRepaintObject(ICompressStoreObj* obj) = 0;
    // Repaints the object's unit; only objects in the set are heard.
    virtual void RepaintObject(ICompressStoreObj* obj) = 0;

protected:
    ~IObjectPaintHost() = default;
};
