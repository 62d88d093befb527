// A composite command: ordered do, reverse undo, deep clone.
#include "engine/CompositeCommand.h"

ICommand* CCompositeCommand::Clone() {
    auto copy = MakeOwned<CCompositeCommand>();
    copy->m_target = m_target;
    for (uint32_t i = 0; i < m_commands.GetSize(); ++i)
        copy->Add(m_commands[i]->Clone());
    return copy.release();
}

BOOL CCompositeCommand::Add(TOwned<ICommand> cmd) {
    if (cmd == nullptr)
        return FALSE;
    m_commands.Add(std::move(cmd));
    return TRUE;
}

BOOL CCompositeCommand::Do() {
    if (m_target == nullptr || m_commands.GetSize() == 0)
        return FALSE;
    for (uint32_t i = 0; i < m_commands.GetSize(); ++i) {
        m_commands[i]->SetTarget(m_target);
        if (!m_commands[i]->Do())
            return FALSE;
    }
    return TRUE;
}

BOOL CCompositeCommand::Undo() {
    if (m_target == nullptr || m_commands.GetSize() == 0)
        return FALSE;
    for (uint32_t i = m_commands.GetSize(); i > 0; --i) {
        m_commands[i - 1]->SetTarget(m_target);
        if (!m_commands[i - 1]->Undo())
            return FALSE;
    }
    return TRUE;
}
