// CBuiltinCreator: the creator of the library's own object classes (pictures, animations).
#include "objects/BuiltinCreator.h"

#include <memory>

#include "objects/ClassIds.h"
#include "objects/CompressStoreObj.h"

namespace {

// The empty object a built-in class is cloned from, made with the argument 255 (a picture's
// drawing mode, an animation's transparent colour).
template <class T>
ICompressStoreObj* MakePrototype() {
    return std::make_unique<T>(255).release();
}

// The library's own classes, one line each, e.g.
//     {ZARNI_CLSID_IMAGE_TEXT, &MakePrototype<zarni::CImage>},
const SPrototypeEntry kBuiltinClasses[] = {
    {nullptr, nullptr},  // end of list
};

}  // namespace

CBuiltinCreator& CBuiltinCreator::Instance() {
    static CBuiltinCreator instance(kBuiltinClasses);
    return instance;
}
