// ICommand: an undoable change of content or character format, run against an editor root.
#pragma once

#include "platform/base/WinTypes.h"

class IEditTarget;

// Every command holds its target root (not owned) and fails from Do and Undo while it has
// none. Do also serves as redo. Commands are given back through Destroy.
class ICommand {
public:
    // A deep copy, owned by the caller.
    virtual ICommand* Clone() = 0;
    virtual void Destroy() = 0;
    // A null root is ignored (the old target stays).
    virtual void SetTarget(IEditTarget* root) = 0;
    virtual BOOL Do() = 0;
    virtual BOOL Undo() = 0;

protected:
    virtual ~ICommand() = default;
};
