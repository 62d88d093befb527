// CLinkManager: the links laid over one editor's document, kept up to date as it changes.
#pragma once

#include <vector>

#include "core/Owned.h"
#include "core/Range.h"
#include "links/LinkInfo.h"
#include "model/ColorStick.h"
#include "model/DocListener.h"
#include "objects/ZarniUUID.h"
#include "platform/base/WinTypes.h"

class IDoc;

// What the link manager needs of its editor: the document, and the view's repaint of the
// band of lines a link change covers (at once after a host change, at the next paint after
// a detection).
class ILinkManagerHost {
public:
    virtual IDoc* GetDocument() = 0;
    virtual void RepaintLinks(const CRange& range, BOOL now) = 0;

protected:
    ~ILinkManagerHost() = default;
};

// One run of the link stick: a range and the link over it (the manager's empty link where
// there is none). The link stays owned by the manager.
struct SLinkRun {
    CRange range;
    ILinkInfo* link = nullptr;
};

class CLinkManager final : public IDocListener {
public:
    // Registers with the host's document as a listener of priority DLP_LINK.
    explicit CLinkManager(ILinkManagerHost* host);
    ~CLinkManager();
    CLinkManager(const CLinkManager&) = delete;
    CLinkManager& operator=(const CLinkManager&) = delete;

    // Lays a copy of link over range clipped to the document and reports the change; a null
    // link or an empty range does nothing. A link of type 0 clears the range.
    void SetLink(const CRange& range, ILinkInfo* link);
    // Gives every run whose link carries outId (GetOutID) the empty link; answers the
    // number of runs removed.
    int RemoveLink(const ZarniUUID& outId);
    // The run covering pos; the empty link's run where no link lies; outside the text an
    // empty range at pos with the empty link.
    SLinkRun GetLinkAt(int pos);
    // The runs meeting range, in order, clipped to it (links and empty stretches alike).
    void GetLinks(const CRange& range, std::vector<SLinkRun>& out);

    DocListener_Priority GetDocPriority() override { return DLP_LINK; }
    void N_Inserting(int pos, int count) override;
    void N_Inserted(int pos, int count) override;
    void N_Deleting(int pos, int count) override;
    void N_Deleted(int pos, int count) override;

    // Aborts unless the stick covers exactly [0, document length] (nothing for an empty
    // document) and no two neighbouring stretches are both without a link.
    void AssertValid() const;

private:
    // One link of the stick, owned; a null link, or one of type 0, is the empty link.
    // Copies clone the link, so each piece of a split run keeps an object of its own. Two
    // slots are equal only when both are empty: stretches without a link merge, links never.
    class CLinkSlot {
    public:
        CLinkSlot() = default;
        explicit CLinkSlot(ILinkInfo* owned) : m_link(owned) {}
        CLinkSlot(const CLinkSlot& other) : m_link(zarni::CopyLink(other.m_link.get())) {}
        CLinkSlot& operator=(const CLinkSlot& other) {
            if (this != &other)
                m_link.reset(zarni::CopyLink(other.m_link.get()));
            return *this;
        }
        CLinkSlot(CLinkSlot&&) noexcept = default;
        CLinkSlot& operator=(CLinkSlot&&) noexcept = default;
        bool operator==(const CLinkSlot& other) const { return IsEmpty() && other.IsEmpty(); }

        bool IsEmpty() const { return !m_link || m_link->GetType() == LINK_TYPE_NONE; }
        bool IsHost() const { return m_link && IsHostLinkType(m_link->GetType()); }
        ILinkInfo* Get() const { return m_link.get(); }

    private:
        TOwned<ILinkInfo> m_link;
    };

    IDoc* Document() const { return m_host ? m_host->GetDocument() : nullptr; }
    SLinkRun RunOf(int section);
    // The words around pos to scan again after an edit there: from the start of the word
    // before pos to the end of the word at pos, the end moved on by shift (the units being
    // inserted), then narrowed so that no host link lies inside.
    CRange ScanRange(IDoc* doc, int pos, int shift) const;
    // Runs the detector over range and lays every run it returns, empty ones included.
    void Detect(IDoc* doc, const CRange& range);
    // Gives the stick the document's extent when the first units arrive.
    void CoverNewText(IDoc* doc);
    // Asks the host to repaint the last changed range, at once or at the next paint.
    void Report(BOOL now);

    ILinkManagerHost* m_host;  // not owned
    // Once the document has text, covers exactly [0, length]; empty for an empty document.
    TColorStick<CLinkSlot> m_stick;
    zarni::CLinkInfo m_empty;  // the link of every stretch without one
    CRange m_changed;          // the last range whose links changed
    // Between the two notices of an insertion: the range to scan afterwards, or the host
    // link being stretched over the new units (positions after the insertion).
    CRange m_pending;
    bool m_scanPending = false;
    CRange m_stretched;
    bool m_stretchPending = false;
};
