// IVCOCreator: makes empty objects of the classes it knows, by class id.
#pragma once

#include "core/ZarniArray.h"
#include "objects/ZarniUUID.h"

class ICompressStoreObj;

// Every object a creator returns must offer ICompressStoreObj, IVisible, ITextReplaceable
// and ISerialize (see objects/ExternalObj.h for how the other three are reached).
class IVCOCreator {
public:
    // A new object of that class in its empty state, or null when this creator does not
    // make the class.
    virtual ICompressStoreObj* CreateObj(const ZarniUUID& clsid) = 0;
    // Empties the list and fills it with every class id this creator makes.
    virtual void GetCLSIDs(CZarniArray<ZarniUUID>& list) = 0;

protected:
    virtual ~IVCOCreator() = default;
};
