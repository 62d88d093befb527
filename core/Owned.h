// TOwned: owning pointers for objects that are given back through their own Destroy.
#pragma once

#include <memory>
#include <utility>

struct CDestroyer {
    template <class T>
    void operator()(T* obj) const {
        if (obj)
            obj->Destroy();
    }
};

// Commands, format records and other cloneable objects are handed out by Clone and given
// back by Destroy; whoever keeps one keeps it in a TOwned.
template <class T>
using TOwned = std::unique_ptr<T, CDestroyer>;

// A new T owned the same way.
template <class T, class... Args>
TOwned<T> MakeOwned(Args&&... args) {
    return TOwned<T>(std::make_unique<T>(std::forward<Args>(args)...).release());
}
