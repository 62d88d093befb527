// CInsertObjectCommand: inserts an object of the shared store at a position; undo deletes it.
#pragma once

#include "engine/CommandBase.h"
#include "engine/RecordedFormats.h"
#include "model/StoreRef.h"
#include "objects/ZarniUUID.h"

class ICompressStoreObj;
class IExternalObj;

// Every instance (the original and each clone) holds one reference of its own on its
// object in the shared store, taken at construction and given back on destruction. Undoing
// the insertion drops the document's reference; the command's keeps the object alive so
// that redo can insert it again. The caller that added the object to the store to build
// the command gives its own reference back once the command exists.
//
// The first Do records the font and colour the object unit got; redo re-applies them, since
// the typing attributes waiting at redo time need not be the same.
//
// An animation, once fed, is given the editor's listener list to ask for repaints through.
// An external object is given the view as its painting host before it is fed and loses it
// again on undo; Do and Undo fail for it when the store no longer holds it.
enum class EInsertedObject { Plain, Animation, External };

class CInsertObjectCommand : public CCommandBase {
public:
    // Takes a reference on id when the store holds it (the null id takes none).
    CInsertObjectCommand(int pos, const ZarniUUID& id,
                         EInsertedObject kind = EInsertedObject::Plain)
        : m_pos(pos), m_id(id), m_ref(id), m_kind(kind) {}
    CInsertObjectCommand(const CInsertObjectCommand&) = delete;
    CInsertObjectCommand& operator=(const CInsertObjectCommand&) = delete;

    ICommand* Clone() override;
    // 0 when the store does not hold the id, the position lies outside the document or the
    // document is full (the selection is then untouched); else the object is fed at pos.
    BOOL Do() override;
    // Selects (pos, pos + 1) and deletes it; 0 unless that unit is this object.
    BOOL Undo() override;

    int GetPos() const { return m_pos; }
    const ZarniUUID& GetID() const { return m_id; }
    EInsertedObject GetKind() const { return m_kind; }
    // Whether this instance holds a store reference.
    bool HoldsReference() const { return m_ref.IsHeld(); }

private:
    void WithdrawPaintHost(IExternalObj* external, ICompressStoreObj* obj);

    int m_pos;
    ZarniUUID m_id;
    CStoreRef m_ref;  // on m_id, when the store held it
    EInsertedObject m_kind;
    CRecordedFormats m_formats;  // font and colour of the object unit
};
