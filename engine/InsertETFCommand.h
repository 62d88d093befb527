// CInsertETFCommand: inserts content in the editor text format; undo deletes what it added.
#pragma once

#include <string>

#include "engine/CommandBase.h"

// Redo reads the content again, so objects come back by the ids their bytes give them and
// the font, colour and link runs are laid again.
class CInsertETFCommand : public CCommandBase {
public:
    CInsertETFCommand(int pos, std::string content) : m_pos(pos), m_content(std::move(content)) {}
    CInsertETFCommand(const CInsertETFCommand&) = delete;
    CInsertETFCommand& operator=(const CInsertETFCommand&) = delete;
    ICommand* Clone() override;
    // 0 for empty content, a position outside the document or content that does not open
    // (the selection is then untouched); else records the number of units added.
    BOOL Do() override;
    // Selects (pos, pos + units added) and deletes it; nothing to delete is success.
    BOOL Undo() override;
    int GetPos() const { return m_pos; }
    int GetInsertedCount() const { return m_inserted; }

private:
    int m_pos;
    std::string m_content;
    int m_inserted = 0;
};
