// The paragraph store: setting paragraph attributes and following document edits.
#include "model/Paragraph.h"

#include <algorithm>

#include "model/Doc.h"
#include "model/ParaOutputStream.h"
#include "platform/base/Check.h"

using zarni::CZarniParaInfo;

namespace {

// Field equality (operator== of the info never holds, on purpose).
bool SameValues(const CZarniParaInfo& a, const CZarniParaInfo& b) {
    return a.GetLeftIndent() == b.GetLeftIndent() && a.GetRightIndent() == b.GetRightIndent() &&
           a.GetLineSapce() == b.GetLineSapce();
}

}  // namespace

CParagraph::CParagraph(IDoc* doc) : m_doc(doc) {
    if (m_doc == nullptr)
        return;
    const int length = m_doc->GetLength();
    if (length > 0)
        m_sections.AssignColor(CRange(0, length), m_current);
    m_doc->AddListener(this);
}

CParagraph::~CParagraph() {
    if (m_doc != nullptr)
        m_doc->DeleteListener(this);
}

int CParagraph::DocLength() const {
    return m_doc != nullptr ? m_doc->GetLength() : 0;
}

bool CParagraph::IsBreakBefore(int pos) const {
    return pos > 0 && m_doc != nullptr && m_doc->FindLineBreak(pos - 1, DFF_BACKWARD) == pos - 1;
}

int CParagraph::SetParaInfo(const CZarniParaInfo& info, const CRange& range) {
    const int length = DocLength();
    if (range.end < range.home || range.home > length || range.end < 0)
        return 0;
    const int home = std::max(range.home, 0);
    const int end = std::min(range.end, length);

    // From the start of the paragraph holding home to the end of the one holding end.
    int start = 0;
    if (home > 0) {
        const int b = m_doc->FindLineBreak(home - 1, DFF_BACKWARD);
        start = b < 0 ? 0 : b + 1;
    }
    int stop = 0;
    if (end > 0) {
        const int k = m_doc->FindLineBreak(end, DFF_FORWARD);
        stop = (k >= 0 && k < length) ? k + 1 : length;
    }

    if (stop > start) {
        m_sections.AssignColor(CRange(start, stop), info);
        ZARNI_ASSERT_VALID(*this);
        m_listeners.N_ParaChanged(CRange(start, stop));
    } else {
        // No paragraph to carry it yet: the next insertion here takes it.
        m_current = info;
        m_pending = true;
        AnnounceCurrentWhileEmpty();
    }
    return 1;
}

void CParagraph::SetDefaultPara(const CZarniParaInfo& info) {
    m_current = info;
    AnnounceCurrentWhileEmpty();
}

void CParagraph::AnnounceCurrentWhileEmpty() {
    // With no sections the current info is the info of the whole (empty) document, so its
    // one empty line must be laid out again: an empty range at 0 says so.
    if (m_sections.IsEmpty())
        m_listeners.N_ParaChanged(CRange(0, 0));
}

CZarniParaInfo CParagraph::GetDefaultPara() {
    return m_current;
}

CZarniParaInfo CParagraph::GetParaInfo(int pos) {
    int s = m_sections.FindSectIndex(pos);
    if (s < 0)
        return m_current;
    if (s == m_sections.GetSize())
        s = m_sections.GetSize() - 1;  // the end of the last section
    return m_sections.GetColor(s);
}

int CParagraph::Output(IParaOutputStream* out, const CRange& range) {
    if (m_sections.IsEmpty() || out == nullptr)
        return 0;
    const CRange covered = m_sections.GetCovered();
    const int home = std::max(range.home, covered.home);
    const int end = std::min(range.end, covered.end);
    if (end <= home)
        return 1;
    const int first = m_sections.FindSectIndex(home);
    const int last = m_sections.FindSectIndex(end - 1);
    for (int s = first; s >= 0 && s <= last && s < m_sections.GetSize(); ++s) {
        const CRange r = m_sections.GetRange(s);
        // A copy: the stream may change the store while it holds the info.
        const CZarniParaInfo info(m_sections.GetColor(s));
        out->PutParaInfo(info, CRange(std::max(r.home, home), std::min(r.end, end)));
    }
    return 1;
}

int CParagraph::AddParaListener(IParaListener* l) {
    return m_listeners.Add(l);
}

int CParagraph::DeleteParaListener(IParaListener* l) {
    return m_listeners.Delete(l);
}

void CParagraph::N_Inserting(int pos, int count) {
    if (count <= 0 || pos < 0 || pos > DocLength())
        return;
    if (pos > 0 && !IsBreakBefore(pos)) {
        // Inside a paragraph (or continuing a non-empty last one): the text joins its left
        // neighbour, and a pending info left from elsewhere must not split the paragraph.
        m_pending = false;
    } else if (pos < DocLength()) {
        // The insertion opens a paragraph: it takes the paragraph it lands in front of.
        m_current = GetParaInfo(pos);
        m_pending = true;
    }
    // At the end, in an empty last paragraph: a pending info from SetParaInfo stays.
}

void CParagraph::N_Inserted(int pos, int count) {
    if (count <= 0)
        return;
    if (m_sections.IsEmpty()) {
        // The first text of the document.
        m_sections.AssignColor(CRange(0, DocLength()), m_current);
        m_pending = false;
        return;
    }
    m_sections.Extend(pos, count);  // at a boundary the left section grows
    if (m_pending) {
        m_sections.AssignColor(CRange(pos, pos + count), m_current);
        m_pending = false;
    }
    ZARNI_ASSERT_VALID(*this);
}

void CParagraph::N_Deleting(int pos, int count) {
    m_sections.Cut(pos, count);
}

void CParagraph::N_Deleted(int pos, int count) {
    const int length = DocLength();
    if (count <= 0 || pos < 0 || pos >= length || m_sections.IsEmpty())
        return;
    // A removed line break joins the lower paragraph to the upper one, which keeps the
    // upper paragraph's info: spread the info at pos - 1 to the end of the joined paragraph.
    const int p = pos > 0 ? pos - 1 : 0;
    const int s = m_sections.FindSectIndex(p);
    if (s < 0 || s >= m_sections.GetSize())
        return;
    const CRange section = m_sections.GetRange(s);
    const CZarniParaInfo info(m_sections.GetColor(s));  // a copy: the assignment moves points
    const int k = m_doc->FindLineBreak(p, DFF_FORWARD);
    const int stop = (k >= 0 && k < length) ? k + 1 : length;
    m_sections.AssignColor(CRange(section.home, stop), info);
    ZARNI_ASSERT_VALID(*this);
}

void CParagraph::AssertValid() const {
    m_sections.AssertValid();
    if (m_doc == nullptr)
        return;
    const int length = m_doc->GetLength();
    const CRange covered = m_sections.GetCovered();
    ZARNI_CHECK(m_sections.IsEmpty() ? length == 0 : covered == CRange(0, length),
                "CParagraph: sections cover (%d,%d), document length %d", covered.home, covered.end,
                length);
    // A boundary inside a paragraph must separate equal values.
    for (int s = 1; s < m_sections.GetSize(); ++s) {
        const int b = m_sections.GetRange(s).home;
        if (IsBreakBefore(b))
            continue;
        ZARNI_CHECK(SameValues(m_sections.GetColor(s - 1), m_sections.GetColor(s)),
                    "CParagraph: paragraph split at %d with different info", b);
    }
}
