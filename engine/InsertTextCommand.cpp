// Inserting text through the inputer and deleting it again on undo.
#include "engine/InsertTextCommand.h"

#include "engine/EOS_IgnoreCO.h"
#include "engine/EditTarget.h"
#include "engine/Inputer.h"
#include "engine/Modifier.h"
#include "engine/Selector.h"
#include "format/ColorInfo.h"
#include "format/FontInfo.h"
#include "format/FormatInfo.h"
#include "model/Doc.h"
#include "model/DocOutputStream.h"
#include "model/WordString.h"

ICommand* CInsertTextCommand::Clone() {
    auto copy = MakeOwned<CInsertTextCommand>(m_pos, m_text);
    CopyStateTo(*copy);
    return copy.release();
}

void CInsertTextCommand::CopyStateTo(CInsertTextCommand& copy) const {
    copy.m_target = m_target;
    copy.m_text = m_text;
    copy.m_formats.CopyFrom(m_formats);
}

BOOL CInsertTextCommand::Do() {
    ISelector* sel = m_target ? m_target->GetSelector() : nullptr;
    IDoc* doc = m_target ? m_target->GetDocument() : nullptr;
    if (sel == nullptr || doc == nullptr || m_text.IsEmpty())
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
    const CRange range(m_pos, m_pos + doc->GetLength() - before);
    if (taken != m_text.GetLength()) {
        // Keep what the document holds now, read back from it: a plain cut of the bytes
        // would be wrong when the document dropped bytes from the middle of the text.
        CEOS_IgnoreCO inserted;
        doc->Output(&inserted, range);
        m_text = inserted.GetText();
    }
    m_formats.Follow(m_target->GetFormatInfo(), range);
    return TRUE;
}

BOOL CInsertTextCommand::Undo() {
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
