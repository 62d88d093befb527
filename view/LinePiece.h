// CLinePiece: one run of equally sized units (or one embedded object) handed to a line.
#pragma once

#include <cstdint>

#include "model/WordString.h"
#include "platform/base/Geometry.h"

class ICompressStoreObj;

// A piece gives one cell size for all its units, or one per unit. An object piece stands for
// exactly one unit (CO_UNIT) and carries the object, which it does not own; a text piece has
// a null object. A text piece views units (and cells) it does not own: it lives only while
// it is being fed, and they outlive it.
class CLinePiece {
public:
    CLinePiece() = default;
    CLinePiece(const CSize& cell, const uint16_t* units, uint32_t count)
        : m_cell(cell), m_units(units), m_count(count) {}
    CLinePiece(const CSize& cell, const CWordString& units)
        : CLinePiece(cell, units.GetData(), units.GetSize()) {}
    // cells[i] is the cell of units[i]; no unit before firstBreak is a line break.
    CLinePiece(const CSize* cells, const uint16_t* units, uint32_t count, uint32_t firstBreak)
        : m_cells(cells), m_units(units), m_count(count), m_firstBreak(firstBreak) {}
    CLinePiece(const CSize& cell, ICompressStoreObj* object)
        : m_cell(cell), m_units(&kObjectUnit), m_count(1), m_object(object) {}

    // Requires 0 <= i < GetUnitCount().
    const CSize& GetCell(int i) const { return m_cells ? m_cells[i] : m_cell; }
    ICompressStoreObj* GetObject() const { return m_object; }
    bool IsObject() const { return m_object != nullptr; }
    // 1 for an object piece, else the number of units; 0 means there is nothing to place.
    int GetUnitCount() const { return static_cast<int>(m_count); }
    // Requires 0 <= i < GetUnitCount().
    uint16_t GetUnit(int i) const { return m_units[i]; }
    // No unit before this index is a line break (0 when not known).
    int GetFirstBreak() const { return static_cast<int>(m_firstBreak); }

private:
    static constexpr uint16_t kObjectUnit = CO_UNIT;

    CSize m_cell;
    const CSize* m_cells = nullptr;     // per unit when set; not owned
    const uint16_t* m_units = nullptr;  // not owned
    uint32_t m_count = 0;
    uint32_t m_firstBreak = 0;
    ICompressStoreObj* m_object = nullptr;  // not owned
};
