// CSAttrStick: a stick of shared attribute records (fonts, colours, links) kept by id.
#pragma once

#include <cstdint>
#include <map>

#include "core/Owned.h"
#include "objects/CompressStoreObj.h"

#include "core/Range.h"
#include "core/ZarniArray.h"
#include "model/ColorStick.h"
#include "objects/ZarniUUID.h"

class ICompressStoreObj;

// A section of a CSAttrStick: its range and the stick's record for it (owned by the stick).
class CSAttrSectInfo {
public:
    CSAttrSectInfo() = default;
    CSAttrSectInfo(const CRange& range, ICompressStoreObj* info) : m_range(range), m_info(info) {}
    const CRange& Range() const { return m_range; }
    ICompressStoreObj* Info() const { return m_info; }

private:
    CRange m_range;
    ICompressStoreObj* m_info = nullptr;
};

// The sections carry record ids; each distinct id ever assigned has one owned clone in the
// map, with a count that only grows while editing. Records with equal content report equal
// ids, so they share an entry and neighbouring equal records merge into one section.
class CSAttrStick {
public:
    CSAttrStick() = default;
    CSAttrStick(const CSAttrStick&) = delete;
    CSAttrStick& operator=(const CSAttrStick&) = delete;

    // 0 for a null obj. Otherwise assigns obj's id over range (when not empty) and records
    // the object (a clone for a new id, one more count for a known one); 1.
    int AssignAttr(ICompressStoreObj* obj, const CRange& range);
    void Extend(int pos, int len) { m_stick.Extend(pos, len); }
    void Cut(int pos, int len) { m_stick.Cut(pos, len); }
    // Opens a gap of len at pos carrying obj (recorded like AssignAttr); 0 for a null obj.
    int Embed(int pos, int len, ICompressStoreObj* obj);
    bool IsEmpty() const { return m_stick.IsEmpty(); }

    // The sections meeting range, clipped to it, in order; sections without a record are
    // skipped.
    void GetInfos(const CRange& range, CZarniArray<CSAttrSectInfo>& out) const;
    void GetAllInfos(CZarniArray<CSAttrSectInfo>& out) const;

    int GetSize() const { return m_stick.GetSize(); }
    int FindSectIndex(int pos) const { return m_stick.FindSectIndex(pos); }
    CRange GetRange(int i) const { return m_stick.GetRange(i); }
    ZarniUUID GetID(int i) const { return m_stick.GetColor(i); }
    CRange GetCovered() const { return m_stick.GetCovered(); }
    // Section i, or {(0,0), null} outside the sections.
    CSAttrSectInfo GetSect(int i) const;
    // The section containing pos; at the end position the last section; else {(0,0), null}.
    CSAttrSectInfo GetSectAt(int pos) const;
    CSAttrSectInfo GetFirstSect() const { return GetSect(0); }
    CSAttrSectInfo GetLastSect() const { return GetSect(GetSize() - 1); }
    // The stored record for id, or null.
    ICompressStoreObj* FindInfo(const ZarniUUID& id) const;
    int32_t GetRefCount(const ZarniUUID& id) const;

    // Destroys every stored record and empties the stick.
    void Clear();
    // Aborts unless the points are valid and every section's id has a record.
    void AssertValid() const;

    const TColorStick<ZarniUUID>& GetStick() const { return m_stick; }

private:
    struct Entry {
        int32_t refs;
        TOwned<ICompressStoreObj> obj;
    };
    bool Record(ICompressStoreObj* obj);

    TColorStick<ZarniUUID> m_stick;
    std::map<ZarniUUID, Entry> m_infos;
};
