// CInsertLinkCommand: inserts a link's text at a position and lays the link over it; undo
// deletes the text again.
#pragma once

#include "core/Owned.h"
#include "engine/InsertTextCommand.h"

class ILinkInfo;

// The text part is the insert-text command's (the text cut to what the document took,
// formats recorded by the first Do); this keeps its own copy of the link and lays it over
// the inserted units.
class CInsertLinkCommand : public CInsertTextCommand {
public:
    // A null link makes a command whose Do fails.
    CInsertLinkCommand(int pos, ILinkInfo* link);

    ICommand* Clone() override;
    // 0 without a link or a link manager, or when the text was not inserted; else the link
    // lies over (pos, end of the new selection).
    BOOL Do() override;

    ILinkInfo* GetLink() const { return m_link.get(); }

private:
    CInsertLinkCommand(int pos, TOwned<ILinkInfo> link);

    TOwned<ILinkInfo> m_link;
};
