// CMeasure: measuring units through the drawing library and caching the sizes.
#include "view/Measure.h"

#include <memory>

#include "format/FontInfo.h"
#include "model/Delimiters.h"
#include "model/WordString.h"
#include "platform/base/Check.h"
#include "platform/base/CodePage.h"

namespace {

// A full-width ideograph of GBK (lead byte 0xD6); every ideograph measures as this one.
const char kReferenceText[] = "\xD6\xD0";

}  // namespace

namespace {

// Owns the measurer until Reset or the end of the process.
struct CMeasureHolder {
    std::unique_ptr<CMeasure> measure;
};

CMeasureHolder& Holder() {
    // The drawing factory is reached first so that its own process-wide state is complete
    // before the holder's, and is therefore destroyed after the measurer releases its
    // objects at exit.
    IMorla_Creater();
    static CMeasureHolder holder;
    return holder;
}

}  // namespace

CMeasure& CMeasure::Instance() {
    CMeasureHolder& holder = Holder();
    if (holder.measure == nullptr)
        holder.measure = std::make_unique<CMeasure>();
    return *holder.measure;
}

void CMeasure::Reset() {
    Holder().measure.reset();
}

CMeasure::CMeasure() {
    m_canvas.reset(XCreateCanvas());
    if (m_canvas)
        m_canvas->Create(nullptr, 1, 1);
    m_font.reset(XCreateFont());
    const CWordString reference{CString(kReferenceText)};
    m_reference = reference.GetSize() > 0 ? reference[0] : 0;
}

const CSize* CMeasure::SFontSizes::Find(uint16_t unit) const {
    if (unit < SAsciiCells::kUnits)
        return ascii.known[unit] ? &ascii.cells[unit] : nullptr;
    auto hit = others.find(unit);
    return hit != others.end() ? &hit->second : nullptr;
}

void CMeasure::SFontSizes::Put(uint16_t unit, const CSize& size) {
    if (unit < SAsciiCells::kUnits) {
        ascii.cells[unit] = size;
        ascii.known[unit] = true;
        ascii.plain[unit] = !CDelimiters::Instance().IsLineBreak(unit);
    } else {
        others[unit] = size;
    }
}

size_t CMeasure::SFontSizes::GetSize() const {
    size_t n = others.size();
    for (bool k : ascii.known)
        n += k ? 1 : 0;
    return n;
}

CSize CMeasure::Measure(const CFontInfo* font, uint16_t unit) {
    if (font == nullptr)
        return CSize(0, 0);
    if (IsIdeograph(unit))
        unit = m_reference;

    SFontSizes& sizes = Entry(*font);
    if (const CSize* hit = sizes.Find(unit)) {
        m_result = *hit;
        return m_result;
    }

    RECT rect = {0, 0, 0, 0};
    if (m_canvas) {
        if (m_font)
            m_font->SetLogFont(0, &font->GetLogFont());
        CWordString single;
        single.InsertAt(0, unit);
        const RECT bounds = {0, 0, 0, 0};
        if (!m_canvas->CalcText(single.c_str(), m_font.get(), m_format, &bounds, &rect))
            rect = RECT{0, 0, 0, 0};
    }
    m_result = CSize(std::abs(rect.right - rect.left), std::abs(rect.bottom - rect.top));

    sizes.Put(unit, m_result);
    return m_result;
}

CMeasure::SFontSizes& CMeasure::Entry(const CFontInfo& font) {
    const ZarniUUID& id = font.ID();
    if (m_lastMap == nullptr || id != m_lastId) {
        m_lastMap = &m_cache[id];  // std::map keeps the address of every inner map
        m_lastId = id;
    }
    return *m_lastMap;
}

const CMeasure::SAsciiCells& CMeasure::AsciiCells(const CFontInfo& font) {
    return Entry(font).ascii;
}

size_t CMeasure::GetCacheSize() const {
    size_t total = 0;
    for (const auto& entry : m_cache)
        total += entry.second.GetSize();
    return total;
}

void CMeasure::AssertValid() const {
    if (m_lastMap == nullptr)
        return;
    auto found = m_cache.find(m_lastId);
    ZARNI_CHECK(found != m_cache.end() && &found->second == m_lastMap,
                "CMeasure: the shortcut does not point at its font's map");
}
