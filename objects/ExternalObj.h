// IVisibleComplexObj and IExternalObj, the complete object interfaces a host implements, and
// the casts that reach an object's other interfaces from its ICompressStoreObj pointer.
#pragma once

#include "objects/CompressStoreObj.h"
#include "objects/Serialize.h"
#include "objects/TextReplaceable.h"
#include "objects/Visible.h"

// Every object held in the store or returned by a creator offers four interfaces, in this
// base order: ICompressStoreObj (primary, so its operations take the first slots), IVisible,
// ITextReplaceable, ISerialize. The built-in classes derive from the four directly and host
// objects derive from IVisibleComplexObj or IExternalObj.
//
// The rest of the program holds objects as ICompressStoreObj* and reaches the other three
// with a run-time cross cast (the *Of functions below). This works for any class that has
// the four bases, whether or not it goes through IVisibleComplexObj, and an object that
// lacks one (a link has only ICompressStoreObj) gives null instead of a wrong pointer, so
// callers skip it rather than crash.
class IVisibleComplexObj : public ICompressStoreObj,
                           public IVisible,
                           public ITextReplaceable,
                           public ISerialize {
protected:
    ~IVisibleComplexObj() override = default;
};

class IObjectPaintHost;

// A host object that also takes commands from the host through the editor and repaints
// itself through the view it is shown in.
class IExternalObj : public IVisibleComplexObj {
public:
    // Runs a host-defined command with its parameter and answers its result.
    virtual unsigned long ExecuteCmd(unsigned int command, unsigned long param) = 0;
    // The view showing the object while it is in a document, null once it has left it.
    virtual void SetPaintHost(IObjectPaintHost* host) = 0;

protected:
    ~IExternalObj() override = default;
};

// Null for a null object or one that does not offer the interface.
inline ISerialize* SerializeOf(ICompressStoreObj* obj) {
    return dynamic_cast<ISerialize*>(obj);
}
inline const ISerialize* SerializeOf(const ICompressStoreObj* obj) {
    return dynamic_cast<const ISerialize*>(obj);
}
inline IVisible* VisibleOf(ICompressStoreObj* obj) {
    return dynamic_cast<IVisible*>(obj);
}
inline ITextReplaceable* TextReplaceableOf(ICompressStoreObj* obj) {
    return dynamic_cast<ITextReplaceable*>(obj);
}
inline IExternalObj* ExternalOf(ICompressStoreObj* obj) {
    return dynamic_cast<IExternalObj*>(obj);
}
