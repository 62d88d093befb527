// Forwarding list of layer listeners.
#include "view/LayerListeners.h"

namespace zarni {

int CLayerListeners::AddListener(ILayerListener* listener) {
    if (listener == nullptr)
        return 0;
    m_list.Add(listener);
    return 1;
}

int CLayerListeners::DeleteListener(ILayerListener* listener) {
    if (listener == nullptr)
        return 0;
    for (uint32_t i = 0; i < m_list.GetSize(); ++i) {
        if (m_list[i] == listener) {
            m_list.RemoveAt(i, 1);
            return 1;
        }
    }
    return 0;
}

void CLayerListeners::N_Changed(ILayer* layer, const CRect& changed) {
    if (changed.IsRectEmpty())
        return;
    for (uint32_t i = 0; i < m_list.GetSize(); ++i)
        m_list[i]->N_Changed(layer, changed);
}

void CLayerListeners::OnContextMenu(const CPoint& point) {
    for (uint32_t i = 0; i < m_list.GetSize(); ++i)
        m_list[i]->OnContextMenu(point);
}

}  // namespace zarni
