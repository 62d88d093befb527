// The undo history: pushing, stepping, truncating and the record limit.
#include "engine/UndoQueue.h"

#include <algorithm>

#include "platform/base/Check.h"

CUndoQueue::~CUndoQueue() {
    Clear();
}

void CUndoQueue::DestroyRange(uint32_t index, uint32_t count) {
    const uint32_t size = m_records.GetSize();
    if (index >= size || count == 0)
        return;
    m_records.RemoveAt(index, std::min(count, size - index));
}

void CUndoQueue::Push(ICommand* cmd) {
    if (cmd == nullptr)
        return;
    if (m_limit == 0) {
        // Nothing would survive the limit, so nothing is cloned; the redo side is already
        // empty because the limit 0 keeps no records.
        TruncateRedo();
        return;
    }
    TOwned<ICommand> copy(cmd->Clone());
    if (copy == nullptr)
        return;
    TruncateRedo();
    m_records.Add(std::move(copy));
    m_pos = GetCount();
    EnforceLimit();
    ZARNI_ASSERT_VALID(*this);
}

BOOL CUndoQueue::RedoStep(int newPos) {
    if (newPos <= m_pos || newPos > GetCount())
        return FALSE;
    m_pos = newPos;
    ZARNI_ASSERT_VALID(*this);
    return TRUE;
}

BOOL CUndoQueue::UndoStep(int newPos) {
    if (newPos < 0 || newPos >= m_pos)
        return FALSE;
    m_pos = newPos;
    ZARNI_ASSERT_VALID(*this);
    return TRUE;
}

void CUndoQueue::TruncateRedo() {
    DestroyRange(static_cast<uint32_t>(m_pos), m_records.GetSize() - static_cast<uint32_t>(m_pos));
}

void CUndoQueue::Clear() {
    m_records.RemoveAll();
    m_pos = 0;
    ZARNI_ASSERT_VALID(*this);
}

ICommand* CUndoQueue::Current() {
    return GetAt(m_pos);
}

ICommand* CUndoQueue::GetAt(int32_t index) const {
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_records[static_cast<uint32_t>(index)].get();
}

void CUndoQueue::SetLimit(int limit) {
    if (limit < 0)
        limit = -1;
    if (limit == m_limit)
        return;
    m_limit = limit;
    EnforceLimit();
    ZARNI_ASSERT_VALID(*this);
}

void CUndoQueue::EnforceLimit() {
    if (m_limit < 0 || GetCount() <= m_limit)
        return;
    const int32_t excess = GetCount() - m_limit;
    DestroyRange(0, static_cast<uint32_t>(excess));
    m_pos = m_pos > excess ? m_pos - excess : 0;
}

void CUndoQueue::AssertValid() const {
    m_records.AssertValid();
    ZARNI_CHECK(m_pos >= 0 && m_pos <= GetCount(), "CUndoQueue: pos %d of %d records", m_pos,
                GetCount());
    ZARNI_CHECK(m_limit >= -1 && (m_limit < 0 || GetCount() <= m_limit),
                "CUndoQueue: %d records for a limit of %d", GetCount(), m_limit);
    for (uint32_t i = 0; i < m_records.GetSize(); ++i)
        ZARNI_CHECK(m_records[i] != nullptr, "CUndoQueue: record %u is null", i);
}
