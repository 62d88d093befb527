// Priority insertion and broadcast of document listeners.
#include "model/DocListeners.h"

void CDocListeners::Add(IDocListener* l) {
    if (l == nullptr)
        return;
    const int32_t priority = l->GetDocPriority();
    uint32_t at = 0;
    for (uint32_t i = m_list.GetSize(); i > 0; --i) {
        if (m_list[i - 1]->GetDocPriority() <= priority) {
            at = i;
            break;
        }
    }
    m_list.InsertAt(at, l);
}

void CDocListeners::Delete(IDocListener* l) {
    for (uint32_t i = m_list.GetSize(); i > 0; --i) {
        if (m_list[i - 1] == l)
            m_list.RemoveAt(i - 1, 1);
    }
}

void CDocListeners::N_Inserting(int pos, int count) {
    for (uint32_t i = 0; i < m_list.GetSize(); ++i)
        m_list[i]->N_Inserting(pos, count);
}

void CDocListeners::N_Inserted(int pos, int count) {
    for (uint32_t i = 0; i < m_list.GetSize(); ++i)
        m_list[i]->N_Inserted(pos, count);
}

void CDocListeners::N_Deleting(int pos, int count) {
    for (uint32_t i = 0; i < m_list.GetSize(); ++i)
        m_list[i]->N_Deleting(pos, count);
}

void CDocListeners::N_Deleted(int pos, int count) {
    for (uint32_t i = 0; i < m_list.GetSize(); ++i)
        m_list[i]->N_Deleted(pos, count);
}
