// Deletion of the selection.
#include "engine/Modifier.h"

#include "engine/EditTarget.h"
#include "engine/Selector.h"
#include "model/Doc.h"

BOOL CModifier::Delete() {
    ISelector* sel = m_editor ? m_editor->GetSelector() : nullptr;
    IDoc* doc = m_editor ? m_editor->GetDocument() : nullptr;
    ICaretPlacer* caret = m_editor ? m_editor->GetCaretPlacer() : nullptr;
    if (!sel || !doc || !caret)
        return FALSE;
    const CRange range = sel->GetSel();
    if (range.IsEmpty())
        return FALSE;
    if (!doc->Delete(range.home, range.end - range.home))
        return FALSE;
    sel->SetInsertPos(range.home);
    caret->PlaceCaret(range.home - 1, TRUE);
    return TRUE;
}
