// ICommandExecutor: runs commands and walks the undo history.
#pragma once

#include "platform/base/WinTypes.h"

class ICommand;

class ICommandExecutor {
public:
    // Runs cmd against the editor and records a copy of it when it succeeds; the caller
    // keeps and destroys cmd. A failed command empties the history; a nested call does
    // nothing and answers 0.
    virtual BOOL Execute(ICommand* cmd) = 0;
    virtual BOOL Undo() = 0;
    virtual BOOL Redo() = 0;

protected:
    ~ICommandExecutor() = default;
};
