// CLinePiece: one run of equally sized units (or one embedded object) handed to a line.
#pragma once

#include <cstdint>

#include "model/WordString.h"
#include "platform/base/Geometry.h"

class ICompressStoreObj;

// Every unit of a piece has the same cell size. An object piece stands for exactly one unit
// (CO_UNIT) and carries the object, which it does not own; a text piece has a null object.
class CLinePiece {
public:
    CLinePiece() = default;
    CLinePiece(const CSize& cell, const CWordString& units) : m_cell(cell), m_units(units) {}
    CLinePiece(const CSize& cell, ICompressStoreObj* object) : m_cell(cell), m_object(object) {
        m_units.InsertAt(0, CO_UNIT);
    }

    const CSize& GetCellSize() const { return m_cell; }
    const CWordString& GetUnits() const { return m_units; }
    ICompressStoreObj* GetObject() const { return m_object; }
    bool IsObject() const { return m_object != nullptr; }
    // 1 for an object piece, else the number of units; 0 means there is nothing to place.
    int GetUnitCount() const { return m_object ? 1 : static_cast<int>(m_units.GetSize()); }
    // Requires 0 <= i < GetUnitCount().
    uint16_t GetUnit(int i) const { return m_object ? CO_UNIT : m_units[static_cast<uint32_t>(i)]; }

private:
    CSize m_cell;
    CWordString m_units;
    ICompressStoreObj* m_object = nullptr;  // not owned
};
