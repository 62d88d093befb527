// CEditorOutput: reads the current selection out through a caller's stream.
#include "engine/EditorOutput.h"

#include "engine/EditTarget.h"
#include "engine/Selector.h"
#include "model/Doc.h"

bool CEditorOutput::Get(IDocOutputStream* stream) const {
    if (stream == nullptr || m_editor == nullptr)
        return false;
    ISelector* selector = m_editor->GetSelector();
    IDoc* doc = m_editor->GetDocument();
    if (selector == nullptr || doc == nullptr)
        return false;
    return doc->Output(stream, selector->GetSel()) != 0;
}
