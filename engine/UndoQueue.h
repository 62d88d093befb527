// CUndoQueue: the undo history, owned clones of the commands that succeeded, oldest first.
#pragma once

#include <cstdint>

#include "core/Owned.h"
#include "core/ZarniArray.h"
#include "engine/Command.h"
#include "platform/base/WinTypes.h"

// Records before pos are done (undo-able), records from pos on are undone (redo-able).
// With a limit n >= 0 at most n records are kept: the oldest go first, and a limit of 0
// keeps nothing at all. Any negative limit means no limit and is stored as -1.
class CUndoQueue {
public:
    CUndoQueue() = default;
    CUndoQueue(const CUndoQueue&) = delete;
    CUndoQueue& operator=(const CUndoQueue&) = delete;

    // Drops every undone record, appends a clone of cmd (the caller keeps cmd), moves pos
    // past it and enforces the limit. A null cmd, or one that gives no clone, is ignored
    // (the undone records are then kept).
    virtual void Push(ICommand* cmd);
    // Moves pos forward to newPos after a record was redone; ignored (FALSE) unless
    // pos < newPos <= count.
    virtual BOOL RedoStep(int newPos);
    // Moves pos back to newPos before a record is undone; ignored (FALSE) unless
    // 0 <= newPos < pos.
    virtual BOOL UndoStep(int newPos);
    // Destroys the records from pos to the end.
    virtual void TruncateRedo();
    // Destroys every record; pos becomes 0. The limit stays.
    virtual void Clear();
    virtual BOOL IsUndoEmpty() { return m_pos == 0 ? TRUE : FALSE; }
    virtual BOOL IsRedoEmpty() { return m_pos == GetCount() ? TRUE : FALSE; }
    // The record at pos (the next one to redo, or the one just stepped back to), or null
    // when pos is at the end.
    virtual ICommand* Current();
    // Sets the limit (a negative value means none) and enforces it when it changed.
    virtual void SetLimit(int limit);
    virtual ~CUndoQueue();

    int32_t GetCount() const { return static_cast<int32_t>(m_records.GetSize()); }
    int32_t GetPos() const { return m_pos; }
    int32_t GetLimit() const { return m_limit; }
    // The record at index (0 = oldest), or null outside the records.
    ICommand* GetAt(int32_t index) const;
    // Capacity of the record storage, which shrinks by the growable array's rule.
    uint32_t GetCapacity() const { return m_records.GetCapacity(); }

    // Aborts unless 0 <= pos <= count, the limit is -1 or at least the count, and no record
    // is null.
    void AssertValid() const;

private:
    // Destroys the oldest records beyond the limit and lowers pos by as many (not below 0).
    void EnforceLimit();
    // Destroys count records from index on and removes them from the list.
    void DestroyRange(uint32_t index, uint32_t count);

    CZarniArray<TOwned<ICommand>> m_records;  // oldest first, never null
    int32_t m_pos = 0;                        // 0 <= m_pos <= count
    int32_t m_limit = -1;                     // -1: no limit
};
