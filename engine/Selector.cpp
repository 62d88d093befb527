// The selection and its notifications.
#include "engine/Selector.h"

#include <cstdint>

#include "platform/base/Check.h"

void CSelector::Change(const CRange& newSel) {
    const CRange oldSel = m_sel;
    for (uint32_t i = 0; i < m_listeners.GetSize(); ++i)
        m_listeners[i]->N_SelChanging(oldSel, newSel);
    m_sel = newSel;
    ZARNI_ASSERT_VALID(*this);
    for (uint32_t i = 0; i < m_listeners.GetSize(); ++i)
        m_listeners[i]->N_SelChanged(oldSel, newSel);
}

void CSelector::OffsetSel(int delta) {
    const int64_t home = static_cast<int64_t>(m_sel.home) + delta;
    const int64_t end = static_cast<int64_t>(m_sel.end) + delta;
    if (home < 0 || end > INT32_MAX)
        return;
    Change(CRange(static_cast<int32_t>(home), static_cast<int32_t>(end)));
}

void CSelector::SetInsertPos(int pos) {
    if (pos < 0 || m_sel == CRange(pos, pos))
        return;
    Change(CRange(pos, pos));
}

void CSelector::SetSel(const CRange& r) {
    if (r.end < r.home || r.home < 0 || r == m_sel)
        return;
    Change(r);
}

int CSelector::AddListener(ISelListener* listener) {
    if (listener != nullptr)
        m_listeners.Add(listener);
    ZARNI_ASSERT_VALID(*this);
    return static_cast<int>(m_listeners.GetSize());
}

void CSelector::RemoveListener(ISelListener* listener) {
    for (uint32_t i = m_listeners.GetSize(); i > 0; --i) {
        if (m_listeners[i - 1] == listener)
            m_listeners.RemoveAt(i - 1, 1);
    }
}

void CSelector::AssertValid() const {
    m_listeners.AssertValid();
    ZARNI_CHECK(m_sel.home >= 0 && m_sel.end >= m_sel.home, "CSelector: selection (%d,%d)",
                m_sel.home, m_sel.end);
    for (uint32_t i = 0; i < m_listeners.GetSize(); ++i)
        ZARNI_CHECK(m_listeners[i] != nullptr, "CSelector: listener %u is null", i);
}
