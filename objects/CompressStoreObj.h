// ICompressStoreObj: an object with an id that the shared object store can keep and share.
#pragma once

#include "objects/Clone.h"
#include "objects/ZarniUUID.h"

class ICompressStoreObj : public IClone {
public:
    // The object's id; fixed once the object has content.
    virtual ZarniUUID GetID() = 0;
    // The shared sub-object holding the bulky data (decoded picture, frame strip), or null
    // when the object has none.
    virtual ICompressStoreObj* GetSubCSO() const = 0;
    // A new object with the same id and small attributes that refers to sub without
    // owning it. Objects without a sub-object answer with a Clone.
    virtual ICompressStoreObj* ShallowClone(ICompressStoreObj* sub) = 0;
    // Deletes the object but not a sub-object it does not own.
    virtual void ShallowDestroy() = 0;

protected:
    ~ICompressStoreObj() override = default;
};
