// CModifier: deletes the selected range.
#pragma once

#include "platform/base/WinTypes.h"

class IEditTarget;

class CModifier {
public:
    explicit CModifier(IEditTarget* editor) : m_editor(editor) {}

    // Deletes the selection and collapses it at its home, with the caret standing after
    // the unit before it. 0 when the selection is empty or the selector, the document or
    // the caret is missing.
    BOOL Delete();

private:
    IEditTarget* m_editor;  // not owned
};
