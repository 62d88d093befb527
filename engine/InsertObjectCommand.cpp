// Inserting an object of the shared store and deleting it again on undo.
#include "engine/InsertObjectCommand.h"

#include "engine/EditTarget.h"
#include "engine/Inputer.h"
#include "engine/Modifier.h"
#include "engine/Selector.h"
#include "format/ColorInfo.h"
#include "format/FontInfo.h"
#include "format/FormatInfo.h"
#include "model/CompressStore.h"
#include "model/Doc.h"
#include "model/EditorListeners.h"
#include "objects/Animate.h"
#include "objects/ExternalObj.h"
#include "objects/ObjectPaintHost.h"

ICommand* CInsertObjectCommand::Clone() {
    auto copy = MakeOwned<CInsertObjectCommand>(m_pos, m_id, m_kind);
    copy->m_target = m_target;
    copy->m_formats.CopyFrom(m_formats);
    return copy.release();
}

BOOL CInsertObjectCommand::Do() {
    ISelector* sel = m_target ? m_target->GetSelector() : nullptr;
    IDoc* doc = m_target ? m_target->GetDocument() : nullptr;
    if (sel == nullptr || doc == nullptr || m_pos < 0 || m_pos > doc->GetLength())
        return FALSE;
    ICompressStoreObj* obj = CCompressStore::Instance().Find(m_id);
    if (obj == nullptr)
        return FALSE;
    IExternalObj* external = m_kind == EInsertedObject::External ? ExternalOf(obj) : nullptr;
    IObjectPaintHost* host = m_target->GetObjectPaintHost();
    if (external) {
        external->SetPaintHost(host);
        if (host)
            host->AddRepaintObject(obj);
    }
    const CRange oldSel = sel->GetSel();
    sel->SetInsertPos(m_pos);
    if (!CInputer(m_target).Feed(obj)) {
        sel->SetSel(oldSel);  // a full document takes nothing
        if (external)
            WithdrawPaintHost(external, obj);
        return FALSE;
    }
    m_formats.Follow(m_target->GetFormatInfo(), CRange(m_pos, m_pos + 1));
    if (m_kind == EInsertedObject::Animation) {
        if (auto* animation = dynamic_cast<IAnimate*>(obj))
            animation->SetPainter(m_target->GetEditorListeners());
    }
    return TRUE;
}

void CInsertObjectCommand::WithdrawPaintHost(IExternalObj* external, ICompressStoreObj* obj) {
    external->SetPaintHost(nullptr);
    if (IObjectPaintHost* host = m_target->GetObjectPaintHost())
        host->RemoveRepaintObject(obj);
}

BOOL CInsertObjectCommand::Undo() {
    ISelector* sel = m_target ? m_target->GetSelector() : nullptr;
    IDoc* doc = m_target ? m_target->GetDocument() : nullptr;
    if (sel == nullptr || doc == nullptr || m_id.IsNull() || m_pos < 0 || m_pos >= doc->GetLength())
        return FALSE;
    // Deleting whatever stands at pos would corrupt the document when the history does
    // not match it; only this object is removed.
    if (doc->FindCO(m_id, m_pos, DFF_FORWARD) != m_pos)
        return FALSE;
    if (m_kind == EInsertedObject::External) {
        ICompressStoreObj* obj = CCompressStore::Instance().Find(m_id);
        IExternalObj* external = ExternalOf(obj);
        if (external == nullptr)
            return FALSE;
        WithdrawPaintHost(external, obj);
    }
    sel->SetSel(CRange(m_pos, m_pos + 1));
    return CModifier(m_target).Delete();
}
