// Priority insertion and broadcast of paragraph listeners.
#include "model/ParaListeners.h"

int CParaListeners::Add(IParaListener* l) {
    if (l == nullptr)
        return 0;
    const int priority = l->GetParaPriority();
    uint32_t at = 0;
    for (uint32_t i = m_list.GetSize(); i > 0; --i) {
        if (m_list[i - 1]->GetParaPriority() <= priority) {
            at = i;
            break;
        }
    }
    m_list.InsertAt(at, l);
    return 1;
}

int CParaListeners::Delete(IParaListener* l) {
    for (uint32_t i = m_list.GetSize(); i > 0; --i) {
        if (m_list[i - 1] == l) {
            m_list.RemoveAt(i - 1, 1);
            return 1;
        }
    }
    return 0;
}

void CParaListeners::N_ParaChanged(const CRange& range) {
    for (uint32_t i = 0; i < m_list.GetSize(); ++i)
        m_list[i]->N_ParaChanged(range);
}
