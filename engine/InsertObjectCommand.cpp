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

ICommand* CInsertObjectCommand::Clone() {
    auto copy = MakeOwned<CInsertObjectCommand>(m_pos, m_id);
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
    const CRange oldSel = sel->GetSel();
    sel->SetInsertPos(m_pos);
    if (!CInputer(m_target).Feed(obj)) {
        sel->SetSel(oldSel);  // a full document takes nothing
        return FALSE;
    }
    m_formats.Follow(m_target->GetFormatInfo(), CRange(m_pos, m_pos + 1));
    return TRUE;
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
    sel->SetSel(CRange(m_pos, m_pos + 1));
    return CModifier(m_target).Delete();
}
