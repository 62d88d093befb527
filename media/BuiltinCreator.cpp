// CBuiltinCreator: the creator of the library's own object classes (pictures, animations).
#include "media/BuiltinCreator.h"

#include <memory>

#include "media/Animate.h"
#include "media/Image.h"
#include "media/Timer.h"
#include "objects/ClassIds.h"

namespace {

// The empty object a built-in class is cloned from, made with the argument 255 (a picture's
// drawing mode, an animation's transparent colour).
template <class T>
ICompressStoreObj* MakePrototype() {
    return std::make_unique<T>(255).release();
}

// The animation prototype never animates, so it does not stay with the timer: the timer and
// its thread end with the last animation in use.
ICompressStoreObj* MakeAnimatePrototype() {
    auto prototype = std::make_unique<zarni::CAnimate>(255);
    zarni::CTimer::Instance()->UnRegisterListener(prototype.get());
    return prototype.release();
}

// The library's own classes, in the order their ids are listed.
const SPrototypeEntry kBuiltinClasses[] = {
    {ZARNI_CLSID_IMAGE_TEXT, &MakePrototype<zarni::CImage>},
    {ZARNI_CLSID_ANIMATE_TEXT, &MakeAnimatePrototype},
    {nullptr, nullptr},  // end of list
};

}  // namespace

CBuiltinCreator& CBuiltinCreator::Instance() {
    static CBuiltinCreator instance(kBuiltinClasses);
    return instance;
}

ICompressStoreObj* CBuiltinCreator::CreateObj(const ZarniUUID& clsid) {
    ICompressStoreObj* obj = CPrototypeCreator::CreateObj(clsid);
    if (obj == nullptr || clsid != AnimateClassId())
        return obj;
    obj->Destroy();
    return std::make_unique<zarni::CAnimate>(255).release();
}
