// CInsertLinkCommand: inserts a link's text at a position and lays the link over it; undo
// deletes the text again.
#pragma once

#include "core/Owned.h"
#include "engine/CommandBase.h"
#include "engine/RecordedFormats.h"
#include "platform/base/String.h"

class ILinkInfo;

// Keeps its own copy of the link. After a successful Do the text holds what the document
// took (it may be cut at the document's limit), so undo removes exactly those units. The
// first Do records the fonts and colours of the new units; redo re-applies them.
class CInsertLinkCommand : public CCommandBase {
public:
    // A null link makes a command whose Do fails.
    CInsertLinkCommand(int pos, ILinkInfo* link);
    ~CInsertLinkCommand() override = default;
    CInsertLinkCommand(const CInsertLinkCommand&) = delete;
    CInsertLinkCommand& operator=(const CInsertLinkCommand&) = delete;

    ICommand* Clone() override;
    // 0 without a link, a link manager, text, or a position inside the document, or when
    // the document took nothing (the selection is then untouched). Else the text is fed at
    // pos and the link laid over (pos, end of the new selection).
    BOOL Do() override;
    // Selects (pos, pos + units of the text) and deletes it; 0 when the document is too
    // short to hold that range.
    BOOL Undo() override;

    int GetPos() const { return m_pos; }
    const CString& GetText() const { return m_text; }
    ILinkInfo* GetLink() const { return m_link.get(); }

private:
    int m_pos;
    TOwned<ILinkInfo> m_link;
    CString m_text;
    CRecordedFormats m_formats;  // font and colour runs over the inserted units
};
