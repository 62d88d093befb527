// Inserting editor-text-format content through the inputer and deleting it on undo.
#include "engine/InsertETFCommand.h"

#include "engine/EditTarget.h"
#include "engine/Inputer.h"
#include "engine/Modifier.h"
#include "engine/Selector.h"
#include "model/Doc.h"

ICommand* CInsertETFCommand::Clone() {
    auto copy = MakeOwned<CInsertETFCommand>(m_pos, m_content);
    copy->m_target = m_target;
    copy->m_inserted = m_inserted;
    return copy.release();
}

BOOL CInsertETFCommand::Do() {
    ISelector* sel = m_target ? m_target->GetSelector() : nullptr;
    IDoc* doc = m_target ? m_target->GetDocument() : nullptr;
    if (sel == nullptr || doc == nullptr || m_content.empty())
        return FALSE;
    const int before = doc->GetLength();
    if (m_pos < 0 || m_pos > before)
        return FALSE;
    const CRange oldSel = sel->GetSel();
    sel->SetInsertPos(m_pos);
    if (!CInputer(m_target).FeedETF(m_content)) {
        sel->SetSel(oldSel);
        return FALSE;
    }
    m_inserted = doc->GetLength() - before;
    return TRUE;
}

BOOL CInsertETFCommand::Undo() {
    ISelector* sel = m_target ? m_target->GetSelector() : nullptr;
    IDoc* doc = m_target ? m_target->GetDocument() : nullptr;
    if (sel == nullptr || doc == nullptr || m_pos < 0 || m_pos > doc->GetLength() - m_inserted)
        return FALSE;
    if (m_inserted == 0)
        return TRUE;
    sel->SetSel(CRange(m_pos, m_pos + m_inserted));
    return CModifier(m_target).Delete();
}
