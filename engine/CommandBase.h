// CCommandBase: what every command shares, its target root and how it is given back.
#pragma once

#include "core/Owned.h"
#include "engine/Command.h"

class CCommandBase : public ICommand {
public:
    void Destroy() override { delete this; }
    // A null root is ignored (the old target stays).
    void SetTarget(IEditTarget* root) override {
        if (root != nullptr)
            m_target = root;
    }
    IEditTarget* GetTarget() const { return m_target; }

protected:
    IEditTarget* m_target = nullptr;  // not owned
};
