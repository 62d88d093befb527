// CCompositeCommand: an ordered list of commands done and undone as one.
#pragma once

#include <cstdint>

#include "core/Owned.h"
#include "core/ZarniArray.h"
#include "engine/CommandBase.h"

// Do runs the commands in list order, Undo in reverse order; each stops at the first
// failure and leaves what already ran as it is. The composite owns its commands.
class CCompositeCommand : public CCommandBase {
public:
    CCompositeCommand() = default;
    CCompositeCommand(const CCompositeCommand&) = delete;
    CCompositeCommand& operator=(const CCompositeCommand&) = delete;

    // A new composite with the same target and a clone of every command, in order.
    ICommand* Clone() override;
    // 0 without a target or without commands; else each command gets the target and runs.
    BOOL Do() override;
    BOOL Undo() override;

    // Appends cmd, which the composite then owns; FALSE (ignored) for null.
    BOOL Add(ICommand* cmd) { return Add(TOwned<ICommand>(cmd)); }
    BOOL Add(TOwned<ICommand> cmd);
    uint32_t GetCount() const { return m_commands.GetSize(); }

private:
    CZarniArray<TOwned<ICommand>> m_commands;  // never null
};
