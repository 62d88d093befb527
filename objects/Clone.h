// IClone: the base of every embedded object, copied with Clone and given back with Destroy.
#pragma once

#include "core/Owned.h"

// Objects are made with new by their class or a creator and are only ever given back
// through Destroy (or ShallowDestroy); the destructor is protected so that no caller
// deletes one through an interface pointer.
class IClone {
public:
    // A new, independent copy with the same id; owned sub-objects are cloned too.
    virtual IClone* Clone() = 0;
    // Deletes the object.
    virtual void Destroy() = 0;

protected:
    // Declared after the operations so that their slots come first.
    virtual ~IClone() = default;
};

// An owned clone of obj that is a T; null when obj is null or its clone is no T (that clone
// is given back at once).
template <class T>
TOwned<T> CloneAs(IClone* obj) {
    TOwned<IClone> clone(obj ? obj->Clone() : nullptr);
    T* typed = dynamic_cast<T*>(clone.get());
    if (typed == nullptr)
        return nullptr;
    clone.release();
    return TOwned<T>(typed);
}
