// ISerialize: an object that writes its fields to a pack and reads them back.
#pragma once

#include "objects/ZarniUUID.h"

class CPack;

class ISerialize {
public:
    // The class id, which tells the reader which creator makes the object.
    virtual ZarniUUID GetCLSID() = 0;
    // Appends the object's fields to the pack; never opens a block itself.
    virtual void streamout(CPack& pack) const = 0;
    // Reads the fields streamout wrote, in the same order, consuming them.
    virtual void streamin(CPack& pack) = 0;

protected:
    virtual ~ISerialize() = default;
};
