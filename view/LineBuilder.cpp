// CLineBuilder: measuring runs of formatted content into line pieces.
#include "view/LineBuilder.h"

#include <algorithm>

#include "format/FIOS_Mixture.h"
#include "format/FormatInfo.h"
#include "model/Delimiters.h"
#include "model/Doc.h"
#include "objects/ExternalObj.h"
#include "view/LineConsumer.h"
#include "view/LinePiece.h"
#include "view/Measure.h"
#include "view/ViewHost.h"

CLineBuilder& CLineBuilder::Instance() {
    static CLineBuilder builder;
    return builder;
}

void CLineBuilder::Build(IViewHost* host, const CRange& range, ILineConsumer* consumer) {
    if (host == nullptr || consumer == nullptr || host->GetDocument() == nullptr)
        return;
    const int length = host->GetDocument()->GetLength();
    const CRange clipped(std::max(range.home, 0), std::min(range.end, length));
    if (clipped.IsEmpty())
        return;

    const CBuildState outer = m_state;
    m_state = CBuildState();
    m_state.host = host;
    m_state.consumer = consumer;
    m_state.next = clipped.home;
    m_state.end = clipped.end;
    m_state.font = DefaultFont();

    if (CFormatInfo* formats = host->GetFormatInfo()) {
        FIOS_Mixture mixture;
        formats->Output(&mixture, clipped);
        mixture.Output(this);
    }
    if (m_state.next < m_state.end) {
        m_state.font = DefaultFont();
        OutputRange(CRange(m_state.next, m_state.end));
    }
    consumer->EndBuild();
    m_state = outer;
}

int CLineBuilder::PutMixture(const CMixtureInfo& info) {
    if (m_state.consumer == nullptr || info.range.end <= m_state.next)
        return 1;
    if (info.range.home > m_state.next) {
        // A stretch no run covered keeps the default font.
        m_state.font = DefaultFont();
        OutputRange(CRange(m_state.next, info.range.home));
    }
    m_state.font = info.font ? *info.font : DefaultFont();
    OutputRange(info.range);
    return 1;
}

void CLineBuilder::OutputRange(const CRange& r) {
    const CRange owed(std::max(r.home, m_state.next), std::min(r.end, m_state.end));
    if (owed.IsEmpty())
        return;
    m_state.host->GetDocument()->Output(this, owed);
    FillTo(owed.end);
}

int CLineBuilder::OutputText(const CString& text, const CRange& range) {
    if (m_state.consumer == nullptr)
        return 0;
    FillTo(range.home);
    if (range.end <= m_state.next)
        return 1;
    CWordString units(text);
    // Only the part still owed, and never more units than the range holds.
    const uint32_t skip = static_cast<uint32_t>(m_state.next - range.home);
    const uint32_t owed = static_cast<uint32_t>(std::min(range.end, m_state.end) - m_state.next);
    if (skip > 0 || units.GetSize() > skip + owed) {
        const uint32_t take = std::min(owed, units.GetSize() > skip ? units.GetSize() - skip : 0u);
        units = take > 0 ? units.substr(skip, take) : CWordString();
    }
    const int start = m_state.next;
    EmitText(units);
    m_state.next = start + static_cast<int>(units.GetSize());
    FillTo(std::min(range.end, m_state.end));
    return 1;
}

int CLineBuilder::OutputObject(ICompressStoreObj* obj, const CRange& range) {
    if (m_state.consumer == nullptr)
        return 0;
    FillTo(range.home);
    if (range.home != m_state.next || m_state.next >= m_state.end)
        return 1;
    IVisible* visible = VisibleOf(obj);
    const CSize size = visible ? visible->GetSize() : CSize(0, 0);
    if (obj != nullptr)
        Emit(CLinePiece(size, obj));
    else
        FillTo(m_state.next + 1);
    m_state.next = range.home + 1;
    return 1;
}

void CLineBuilder::FillTo(int pos) {
    pos = std::min(pos, m_state.end);
    if (pos <= m_state.next)
        return;
    CWordString placeholders;
    for (int i = m_state.next; i < pos; ++i)
        placeholders.InsertAt(placeholders.GetSize(), CO_UNIT);
    m_state.next = pos;
    Emit(CLinePiece(CSize(0, 0), placeholders));
}

void CLineBuilder::EmitText(const CWordString& units) {
    const CDelimiters& delimiters = CDelimiters::Instance();
    CMeasure& measure = CMeasure::Instance();
    CSize current(-1, -1);
    uint32_t runStart = 0;
    for (uint32_t i = 0; i < units.GetSize(); ++i) {
        const uint16_t unit = units[i];
        const CSize size = delimiters.IsLineBreak(unit) ? CSize(kBreakWidth, kBreakHeight)
                                                        : measure.Measure(m_state.font, unit);
        if (size == current)
            continue;
        if (current != CSize(-1, -1)) {
            if (!Emit(CLinePiece(current, units.substr(runStart, i - runStart))))
                return;
            runStart = i;
        }
        current = size;
    }
    if (runStart < units.GetSize())
        Emit(CLinePiece(current, units.substr(runStart, units.GetSize() - runStart)));
}

bool CLineBuilder::Emit(const CLinePiece& piece) {
    return m_state.consumer->Feed(piece) != 0;
}

CFontInfo CLineBuilder::DefaultFont() const {
    CFormatInfo* formats = m_state.host ? m_state.host->GetFormatInfo() : nullptr;
    return formats ? formats->GetDefaultFont() : CFontInfo();
}
