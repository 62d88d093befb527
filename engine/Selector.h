// ISelector and CSelector: the selection, whose home is also the insertion position.
#pragma once

#include "core/Range.h"
#include "core/ZarniArray.h"
#include "engine/SelListener.h"

class ISelector {
public:
    virtual CRange GetSel() = 0;
    virtual int GetInsertPos() = 0;
    virtual void OffsetSel(int delta) = 0;
    virtual void SetInsertPos(int pos) = 0;
    virtual void SetSel(const CRange& r) = 0;
    virtual int AddListener(ISelListener* listener) = 0;
    virtual void RemoveListener(ISelListener* listener) = 0;
    virtual ~ISelector() = default;
};

// Invariant: 0 <= home <= end. The selector does not know the document and does not clamp
// to its length. Every accepted change tells each listener N_SelChanging, stores the new
// range, then tells each N_SelChanged, in list order.
class CSelector : public ISelector {
public:
    CRange GetSel() override { return m_sel; }
    int GetInsertPos() override { return m_sel.home; }
    // Moves both ends by delta; ignored when home would become negative. An offset of 0
    // still notifies.
    void OffsetSel(int delta) override;
    // (pos, pos); ignored for a negative pos or when the selection already is that.
    void SetInsertPos(int pos) override;
    // Ignored for an inverted range, a negative home, or the current selection.
    void SetSel(const CRange& r) override;
    // Appended without a duplicate check; returns the new count. Null is ignored.
    int AddListener(ISelListener* listener) override;
    // Removes every occurrence.
    void RemoveListener(ISelListener* listener) override;

    // Aborts unless 0 <= home <= end and no listener is null.
    void AssertValid() const;

private:
    void Change(const CRange& newSel);

    CRange m_sel;
    CZarniArray<ISelListener*> m_listeners;  // not owned
};
