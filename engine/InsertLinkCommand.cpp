// Inserting a link's text through the inputer, laying the link over it, and undoing that.
#include "engine/InsertLinkCommand.h"

#include "engine/EOS_IgnoreCO.h"
#include "engine/EditTarget.h"
#include "engine/Inputer.h"
#include "engine/Modifier.h"
#include "engine/Selector.h"
#include "links/LinkInfo.h"
#include "links/LinkManager.h"
#include "model/Doc.h"
#include "model/WordString.h"

CInsertLinkCommand::CInsertLinkCommand(int pos, ILinkInfo* link)
    : m_pos(pos), m_link(zarni::CopyLink(link)) {
    if (m_link)
        m_text = m_link->GetText();
}

ICommand* CInsertLinkCommand::Clone() {
    auto copy = MakeOwned<CInsertLinkCommand>(m_pos, m_link.get());
    copy->m_target = m_target;
    copy->m_text = m_text;
    copy->m_formats.CopyFrom(m_formats);
    return copy.release();
}

BOOL CInsertLinkCommand::Do() {
    ISelector* sel = m_target ? m_target->GetSelector() : nullptr;
    IDoc* doc = m_target ? m_target->GetDocument() : nullptr;
    CLinkManager* links = m_target ? m_target->GetLinks() : nullptr;
    if (sel == nullptr || doc == nullptr || links == nullptr || !m_link || m_text.IsEmpty())
        return FALSE;
    const int before = doc->GetLength();
    if (m_pos < 0 || m_pos > before)
        return FALSE;
    const CRange oldSel = sel->GetSel();
    sel->SetInsertPos(m_pos);
    const int taken = CInputer(m_target).Feed(m_text);
    if (taken <= 0) {
        sel->SetSel(oldSel);
        return FALSE;
    }
    const CRange range(m_pos, sel->GetSel().end);
    if (taken != m_text.GetLength()) {
        // What the document holds, read back: it may have dropped bytes from the middle.
        CEOS_IgnoreCO inserted;
        doc->Output(&inserted, range);
        m_text = inserted.GetText();
    }
    m_formats.Follow(m_target->GetFormatInfo(), range);
    links->SetLink(range, m_link.get());
    return TRUE;
}

BOOL CInsertLinkCommand::Undo() {
    ISelector* sel = m_target ? m_target->GetSelector() : nullptr;
    IDoc* doc = m_target ? m_target->GetDocument() : nullptr;
    if (sel == nullptr || doc == nullptr || m_text.IsEmpty() || m_pos < 0)
        return FALSE;
    const int units = static_cast<int>(CWordString(m_text).GetSize());
    if (units == 0 || m_pos > doc->GetLength() - units)
        return FALSE;
    sel->SetSel(CRange(m_pos, m_pos + units));
    return CModifier(m_target).Delete();
}
