// Broadcast list of the editor root.
#include "model/EditorListeners.h"

#include "objects/Animate.h"

void CEditorListeners::Broadcast(uintptr_t value) {
    for (uint32_t i = 0; i < m_list.GetSize(); ++i)
        m_list[i]->N_EditorNotify(value);
}

int CEditorListeners::Add(IEditorListener* listener) {
    if (listener == nullptr)
        return 0;
    for (uint32_t i = 0; i < m_list.GetSize(); ++i) {
        if (m_list[i] == listener)
            return 0;
    }
    m_list.Add(listener);
    return 1;
}

int CEditorListeners::Remove(IEditorListener* listener) {
    for (uint32_t i = m_list.GetSize(); i > 0; --i) {
        if (m_list[i - 1] == listener) {
            m_list.RemoveAt(i - 1, 1);
            return 1;
        }
    }
    return 0;
}

void CEditorListeners::OnFrameChanged(IAnimate* animation) {
    if (animation)
        Broadcast(reinterpret_cast<uintptr_t>(static_cast<ICompressStoreObj*>(animation)));
}
