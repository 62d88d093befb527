// CInsertTextCommand: inserts a text at a position; undo deletes it again.
#pragma once

#include "engine/CommandBase.h"
#include "engine/RecordedFormats.h"
#include "platform/base/String.h"

// After a successful Do the text holds exactly what the document took: when the document
// hit its limit (or dropped bytes it cannot store) the text is cut to that, so redo and undo
// work on the same units. The first Do also records the fonts and colours the new units got
// (the typing attributes waiting at pos, or those of the left neighbour); redo re-applies
// them, since the typing attributes waiting at redo time need not be the same.
class CInsertTextCommand : public CCommandBase {
public:
    CInsertTextCommand(int pos, const CString& text) : m_pos(pos), m_text(text) {}
    ~CInsertTextCommand() override = default;
    CInsertTextCommand(const CInsertTextCommand&) = delete;
    CInsertTextCommand& operator=(const CInsertTextCommand&) = delete;

    ICommand* Clone() override;
    // 0 for empty text, a position outside the document, or when nothing was taken (the
    // selection is then untouched). Else the insertion position ends after the text.
    BOOL Do() override;
    // Selects (pos, pos + units of the text) and deletes it; 0 when the document is too
    // short to hold that range.
    BOOL Undo() override;

    int GetPos() const { return m_pos; }
    const CString& GetText() const { return m_text; }

protected:
    // Gives a clone the target, the text as taken and the recorded formats.
    void CopyStateTo(CInsertTextCommand& copy) const;

private:
    int m_pos;
    CString m_text;
    CRecordedFormats m_formats;  // font and colour runs over the inserted units
};
