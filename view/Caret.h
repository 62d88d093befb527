// CCaret: the insertion caret of the editor view.
#pragma once

#include "platform/base/WinTypes.h"

class CEditorView;

// Remembers the document position it was last placed at and whether it stands after that
// unit. Placing it on a line and unit, and telling its listeners, needs the laid-out lines
// of the editor view.
class CCaret {
public:
    explicit CCaret(CEditorView* view) : m_view(view) {}

    // A negative pos means the very start of the document.
    void SetCaretByPos(int pos, BOOL after) {
        m_pos = pos < 0 ? -1 : pos;
        m_after = (pos >= 0 && after) ? TRUE : FALSE;
    }
    // The document position last asked for (-1 for the start) and its placement flag.
    int GetPos() const { return m_pos; }
    BOOL IsAfter() const { return m_after; }

private:
    CEditorView* m_view;  // owner
    int m_pos = -1;
    BOOL m_after = FALSE;
};
