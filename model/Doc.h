// IDoc and CDoc: the document text with its embedded objects, limit, searches and
// change notifications.
#pragma once

#include <cstdint>

#include "core/Range.h"
#include "model/COPosTable.h"
#include "model/DocListeners.h"
#include "model/WordString.h"
#include "objects/ZarniUUID.h"
#include "platform/base/String.h"

class IDocOutputStream;

// Search direction: 1 toward the end, 2 toward the start; other values find nothing.
enum DOC_FIND_FLAG : int32_t {
    DFF_FORWARD = 1,
    DFF_BACKWARD = 2,
};

class IDoc {
public:
    virtual int InsertCO(int pos, const ZarniUUID& id) = 0;
    virtual int Inserts(int pos, const CString& text) = 0;
    virtual int Insertc(int pos, char ch) = 0;
    virtual int Delete(int pos, int count) = 0;
    virtual int FindLineBreak(int pos, DOC_FIND_FLAG dir) = 0;
    virtual int FindWordBreak(int pos, DOC_FIND_FLAG dir) = 0;
    virtual int FindAlnumEnd(int pos, DOC_FIND_FLAG dir) = 0;
    virtual int FindCO(const ZarniUUID& id, int pos, DOC_FIND_FLAG dir) = 0;
    virtual int Output(IDocOutputStream* out, const CRange& range) = 0;
    virtual int GetLength() = 0;
    virtual int GetLimit() = 0;
    virtual int SetLimit(long limit) = 0;
    virtual int AddListener(IDocListener* listener) = 0;
    virtual int DeleteListener(IDocListener* listener) = 0;
    virtual ~IDoc() = default;
    // Room for units more, asked for before a bulk insertion (loading); a hint that a
    // document may ignore.
    virtual void Reserve(int /*units*/) {}
};

// Invariant: every CO_UNIT in the text has exactly one object-table entry at its position
// and every entry sits on a CO_UNIT; each such unit holds one reference in the shared
// object store. Every change is announced to the listeners before (-ing) and after (-ed),
// in ascending priority. Refused or out-of-range edits change nothing and announce nothing.
class CDoc : public IDoc {
public:
    CDoc() = default;
    ~CDoc() override;
    CDoc(const CDoc&) = delete;
    CDoc& operator=(const CDoc&) = delete;

    // 1 when inserted; 0 for the null id, an id the object store does not hold, a
    // position outside 0..length, or a full document.
    int InsertCO(int pos, const ZarniUUID& id) override;
    // Byte length of the text inserted (a double-byte character counts 2), 0 when nothing
    // was. With a limit, only as many units as still fit are taken. Units that could break
    // the document's rules are dropped: 0 (it would end the text when read out), the object
    // unit 2 (it would stand for an object that is not there) and a lead byte that lost its
    // trail byte.
    int Inserts(int pos, const CString& text) override;
    // 1 when inserted; 0 for a line feed, a lead byte, 0, the object unit 2, a position
    // outside 0..length, or a full document.
    int Insertc(int pos, char ch) override;
    // Deletes count units from pos (clipped to the end of the text); always 1.
    int Delete(int pos, int count) override;

    // pos must lie in 0..length (the backward search starts at the last unit when pos is
    // the length). Forward: the first break at or after pos, else the length. Backward: the
    // first break at or before pos, else -1. -1 for a bad pos or direction.
    int FindLineBreak(int pos, DOC_FIND_FLAG dir) override;
    int FindWordBreak(int pos, DOC_FIND_FLAG dir) override;
    // pos must lie in 0..length - 1: the first position from pos (forward: the length when
    // none; backward: -1 when none) whose unit is not an ASCII letter or digit.
    int FindAlnumEnd(int pos, DOC_FIND_FLAG dir) override;
    // Position of the object with id in [pos, length - 1] (forward) or [0, pos] (backward),
    // the lowest match in that span; -1 when none.
    int FindCO(const ZarniUUID& id, int pos, DOC_FIND_FLAG dir) override;
    // Sends the range's text runs and objects to out in document order; always 1.
    int Output(IDocOutputStream* out, const CRange& range) override;

    int GetLength() override { return static_cast<int>(m_text.GetSize()); }
    // Reserves text storage for units more, within the limit.
    void Reserve(int units) override;
    int GetLimit() override { return m_limit; }
    // Any value is kept (values past the 32-bit range are clamped); negative means no limit.
    // Text already present is not cut.
    int SetLimit(long limit) override;
    int AddListener(IDocListener* listener) override;
    int DeleteListener(IDocListener* listener) override;

    // Read access for the editor's components.
    const CWordString& GetText() const { return m_text; }
    uint16_t GetUnit(int pos) const { return m_text[static_cast<uint32_t>(pos)]; }
    // The id of the object at pos, or the null id.
    ZarniUUID GetCOID(int pos) const { return m_objects.IdAt(static_cast<uint32_t>(pos)); }
    const CCOPosTable& GetCOPosTable() const { return m_objects; }

    // Aborts unless the text, the object table and the store references agree.
    void AssertValid() const;

private:
    bool IsFull() const {
        return m_limit >= 0 && static_cast<int64_t>(m_text.GetSize()) >= m_limit;
    }
    bool IsInsertPos(int pos) const { return pos >= 0 && pos <= GetLengthConst(); }
    int GetLengthConst() const { return static_cast<int>(m_text.GetSize()); }
    void InsertUnits(int pos, const CWordString& units);
    void InsertUnits(int pos, const uint16_t* units, uint32_t count);

    CWordString m_text;
    CCOPosTable m_objects;
    CDocListeners m_listeners;
    int32_t m_limit = -1;
};
