// Deleting a range with a scratch copy of its content and formats for undo.
#include "engine/DeleteRangeCommand.h"

#include <algorithm>

#include "engine/EditTarget.h"
#include "engine/Modifier.h"
#include "engine/Selector.h"
#include "format/FormatInfo.h"
#include "format/FormatOutputStream.h"
#include "model/Doc.h"
#include "model/DocOutputStream.h"
#include "objects/CompressStoreObj.h"
#include "platform/base/Check.h"

namespace {

// Inserts every text run and object it is shown into a document at a running position.
// ok() stays true while each run was taken whole.
class CDocInserter : public IDocOutputStream {
public:
    CDocInserter(IDoc* to, int at) : m_to(to), m_pos(at) {}

    int OutputObject(ICompressStoreObj* obj, const CRange&) override {
        if (obj == nullptr || !m_to->InsertCO(m_pos, obj->GetID())) {
            m_ok = false;
            return 0;
        }
        ++m_pos;
        return 1;
    }
    int OutputText(const CString& text, const CRange& range) override {
        const int before = m_to->GetLength();
        m_to->Inserts(m_pos, text);
        const int added = m_to->GetLength() - before;
        m_pos += added;
        if (added != range.Length())
            m_ok = false;
        return added > 0;
    }
    void Reset() override {}
    bool ok() const { return m_ok; }

private:
    IDoc* m_to;
    int m_pos;
    bool m_ok = true;
};

// Applies every font and colour run it is shown to a format store, moved from one base
// position to another.
class CFormatCopier : public IFormatOutputStream {
public:
    CFormatCopier(CFormatInfo* to, int shift) : m_to(to), m_shift(shift) {}

    int PutFont(CFontInfo* font, const CRange& range) override {
        return Check(m_to->SetFont(font, Moved(range)));
    }
    int PutColor(CColorInfo* color, const CRange& range) override {
        return Check(m_to->SetColor(color, Moved(range)));
    }
    bool ok() const { return m_ok; }

private:
    CRange Moved(const CRange& range) const {
        return CRange(range.home + m_shift, range.end + m_shift);
    }
    int Check(int result) {
        if (!result)
            m_ok = false;
        return result;
    }

    CFormatInfo* m_to;
    int m_shift;
    bool m_ok = true;
};

// Copies range of one document and its format store to another at position at: first
// the units and objects, then the fonts and colours.
bool CopyContent(IDoc* fromDoc, CFormatInfo* fromFormat, const CRange& range, IDoc* toDoc,
                 CFormatInfo* toFormat, int at) {
    if (range.IsEmpty())
        return true;
    CDocInserter inserter(toDoc, at);
    fromDoc->Output(&inserter, range);
    if (!inserter.ok())
        return false;
    // The format store would take an empty range as a typing attribute; the runs it sends
    // are never empty, and the copier keeps them that way.
    CFormatCopier copier(toFormat, at - range.home);
    fromFormat->Output(&copier, range);
    return copier.ok();
}

}  // namespace

CDeleteRangeCommand::~CDeleteRangeCommand() {
    DropScratch();
}

void CDeleteRangeCommand::DropScratch() {
    // The format store leaves its document's listener list on destruction, so it goes first.
    m_scratchFormat.reset();
    m_scratchDoc.reset();
}

void CDeleteRangeCommand::ResetScratch() {
    DropScratch();
    m_scratchDoc = std::make_unique<CDoc>();
    m_scratchFormat = std::make_unique<CFormatInfo>(m_scratchDoc.get());
}

ICommand* CDeleteRangeCommand::Clone() {
    auto copy = MakeOwned<CDeleteRangeCommand>(m_range);
    copy->m_target = m_target;
    if (m_scratchDoc != nullptr) {
        copy->ResetScratch();
        CopyContent(m_scratchDoc.get(), m_scratchFormat.get(), CRange(0, m_scratchDoc->GetLength()),
                    copy->m_scratchDoc.get(), copy->m_scratchFormat.get(), 0);
    }
    return copy.release();
}

BOOL CDeleteRangeCommand::Do() {
    ISelector* sel = m_target ? m_target->GetSelector() : nullptr;
    IDoc* doc = m_target ? m_target->GetDocument() : nullptr;
    CFormatInfo* format = m_target ? m_target->GetFormatInfo() : nullptr;
    if (sel == nullptr || doc == nullptr || format == nullptr)
        return FALSE;
    const CRange clipped(std::max(m_range.home, 0), std::min(m_range.end, doc->GetLength()));
    if (clipped.IsEmpty())
        return FALSE;
    ResetScratch();
    if (!CopyContent(doc, format, clipped, m_scratchDoc.get(), m_scratchFormat.get(), 0) ||
        m_scratchDoc->GetLength() != clipped.Length()) {
        DropScratch();
        return FALSE;
    }
    m_range = clipped;
    sel->SetSel(m_range);
    return CModifier(m_target).Delete();
}

BOOL CDeleteRangeCommand::Undo() {
    ISelector* sel = m_target ? m_target->GetSelector() : nullptr;
    IDoc* doc = m_target ? m_target->GetDocument() : nullptr;
    CFormatInfo* format = m_target ? m_target->GetFormatInfo() : nullptr;
    if (sel == nullptr || doc == nullptr || format == nullptr || m_scratchDoc == nullptr ||
        m_scratchDoc->GetLength() == 0 || m_range.home < 0 || m_range.home > doc->GetLength())
        return FALSE;
    const int limit = doc->GetLimit();
    doc->SetLimit(-1);
    const bool ok = CopyContent(m_scratchDoc.get(), m_scratchFormat.get(),
                                CRange(0, m_scratchDoc->GetLength()), doc, format, m_range.home);
    doc->SetLimit(limit);
    sel->SetInsertPos(m_range.end);
    return ok ? TRUE : FALSE;
}

void CDeleteRangeCommand::AssertValid() const {
    if (m_scratchDoc == nullptr)
        return;
    m_scratchDoc->AssertValid();
    m_scratchFormat->AssertValid();
    ZARNI_CHECK(m_scratchDoc->GetLength() == m_range.Length(),
                "CDeleteRangeCommand: %d units kept for a range of %d", m_scratchDoc->GetLength(),
                m_range.Length());
}
