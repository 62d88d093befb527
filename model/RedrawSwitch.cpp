// The redraw switch's counter and notifications.
#include "model/RedrawSwitch.h"

void CRedrawSwitch::Tell(BOOL on) {
    for (uint32_t i = 0; i < m_listeners.GetSize(); ++i)
        m_listeners[i]->N_RedrawChanged(on);
}

void CRedrawSwitch::SetRedraw(BOOL on) {
    if (!on) {
        if (m_counter-- == 1)
            Tell(FALSE);
        return;
    }
    if (m_counter == 1)
        return;
    if (++m_counter == 1)
        Tell(on);
}

void CRedrawSwitch::HoldLayout(BOOL hold) {
    if (hold ? m_holds++ != 0 : (m_holds == 0 || --m_holds != 0))
        return;
    for (uint32_t i = 0; i < m_listeners.GetSize(); ++i)
        m_listeners[i]->N_LayoutHeld(hold ? TRUE : FALSE);
}

void CRedrawSwitch::AddListener(IRedrawListener* listener) {
    if (listener == nullptr)
        return;
    for (uint32_t i = 0; i < m_listeners.GetSize(); ++i) {
        if (m_listeners[i] == listener)
            return;
    }
    m_listeners.Add(listener);
}

void CRedrawSwitch::RemoveListener(IRedrawListener* listener) {
    for (uint32_t i = m_listeners.GetSize(); i > 0; --i) {
        if (m_listeners[i - 1] == listener)
            m_listeners.RemoveAt(i - 1, 1);
    }
}
