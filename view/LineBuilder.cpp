// CLineBuilder: measuring runs of formatted content into line pieces.
#include "view/LineBuilder.h"

#include <algorithm>
#include <vector>

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
    const CWordString units(text);
    return OutputUnits(units.GetData(), units.GetSize(), range);
}

int CLineBuilder::OutputUnits(const uint16_t* units, uint32_t count, const CRange& range) {
    if (m_state.consumer == nullptr)
        return 0;
    FillTo(range.home);
    if (range.end <= m_state.next)
        return 1;
    // Only the part still owed, and never more units than the range holds.
    const uint32_t skip = static_cast<uint32_t>(m_state.next - range.home);
    const uint32_t owed = static_cast<uint32_t>(std::min(range.end, m_state.end) - m_state.next);
    const uint32_t take = count > skip ? std::min(owed, count - skip) : 0u;
    const int start = m_state.next;
    if (take > 0)
        EmitText(units + skip, take);
    m_state.next = start + static_cast<int>(take);
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

void CLineBuilder::EmitText(const uint16_t* units, uint32_t count) {
    const CDelimiters& delimiters = CDelimiters::Instance();
    CMeasure& measure = CMeasure::Instance();
    // One piece for the whole run, each unit with its own cell. Local: builds may nest.
    std::vector<CSize> cells(count);
    // The run's font is fixed: its ASCII cells come from the measurer's table, every
    // ideograph (all measure alike) is measured once.
    const CMeasure::SAsciiCells& ascii = measure.AsciiCells(m_state.font);
    CSize ideograph(-1, -1);
    uint32_t firstBreak = count;
    for (uint32_t i = 0; i < count; ++i) {
        const uint16_t unit = units[i];
        if (unit < CMeasure::SAsciiCells::kUnits && ascii.plain[unit]) {
            cells[i] = ascii.cells[unit];
        } else if (CMeasure::IsIdeograph(unit)) {
            if (ideograph.cx < 0)
                ideograph = measure.Measure(m_state.font, unit);
            cells[i] = ideograph;
        } else if (delimiters.IsLineBreak(unit)) {
            cells[i] = CSize(kBreakWidth, kBreakHeight);
            firstBreak = std::min(firstBreak, i);
        } else {
            cells[i] = measure.Measure(m_state.font, unit);
        }
    }
    if (count > 0)
        Emit(CLinePiece(cells.data(), units, count, firstBreak));
}

bool CLineBuilder::Emit(const CLinePiece& piece) {
    return m_state.consumer->Feed(piece) != 0;
}

CFontInfo CLineBuilder::DefaultFont() const {
    CFormatInfo* formats = m_state.host ? m_state.host->GetFormatInfo() : nullptr;
    return formats ? formats->GetDefaultFont() : CFontInfo();
}
